// Loads the option and window records from any file: every field the program relies on is
// within its range, whatever the file holds.
#include "FuzzSupport.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"
#include "settings/TimerModeCodes.h"
#include "settings/WindowSettings.h"

#include <algorithm>
#include <cmath>

using namespace plimset;

namespace {

bool ShortText(const QString& text) {
    return plimset::fuzz::Utf8Size(text) <= 255;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    plimset::fuzz::WriteScratchFile(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const SettingsFile file(plimset::fuzz::ScratchFilePath());

    const MessageTextDefaults defaults{"a1", "a1j", "c1", "c2", "c1j", "c2j"};
    const OptionSettings o = LoadOptionSettings(file, QStringLiteral("/sound.oga"), defaults);
    FUZZ_CHECK(o.presetSlots >= 1 && o.presetSlots <= MaxColCeiling);
    FUZZ_CHECK(o.alarmPresets.size() == size_t(o.presetSlots) + 1);
    FUZZ_CHECK(o.countDownPresets.size() == size_t(o.presetSlots) + 1);
    FUZZ_CHECK(o.alarmPresets.back().count() == 0 && o.countDownPresets.back().count() == 0);
    FUZZ_CHECK(o.alarmCount == std::count_if(o.alarmPresets.begin(), o.alarmPresets.end(),
                                             [](auto p) { return p.count() != 0; }));
    FUZZ_CHECK(o.countDownCount == std::count_if(o.countDownPresets.begin(),
                                                 o.countDownPresets.end(),
                                                 [](auto p) { return p.count() != 0; }));
    for (const Seconds preset : o.countDownPresets) {
        FUZZ_CHECK(std::isfinite(preset.count()));
    }
    ModeOrder order = o.modeOrder;
    std::sort(order.begin(), order.end());
    FUZZ_CHECK((order == ModeOrder{TimerMode::Alarm, TimerMode::CountDown, TimerMode::StopWatch}));
    FUZZ_CHECK(o.buttonFace >= ButtonFace::Words && o.buttonFace <= ButtonFace::RoundPictures);
    FUZZ_CHECK(o.timeSeparator == TimeSeparator::Dot || o.timeSeparator == TimeSeparator::Colon);
    FUZZ_CHECK(o.minutesToAdd.count() >= 1 && o.minutesToAdd.count() <= 99);
    FUZZ_CHECK(o.soundSource >= SoundSource::Beep && o.soundSource <= SoundSource::None);
    FUZZ_CHECK(o.soundSource != SoundSource::File || !o.soundFile.isEmpty());
    FUZZ_CHECK(o.beepCount >= 0);
    FUZZ_CHECK(std::isfinite(o.ringDuration.count()) && o.ringDuration.count() >= 0);
    FUZZ_CHECK(std::isfinite(o.displayDuration.count()) && o.displayDuration.count() >= 0);
    FUZZ_CHECK(std::isfinite(o.alertWindowScale) && o.alertWindowScale > 0);
    FUZZ_CHECK(o.displayLength >= 5 && o.displayLength <= 8);
    FUZZ_CHECK(o.language >= LanguageSetting::System &&
               o.language <= LanguageSetting::SimplifiedChinese);
    FUZZ_CHECK(o.largestTime == LargestTime(o.displayLength, o.timeSeparator));
    for (const QString* text :
         {&o.soundFile, &o.englishAlarmText1, &o.englishAlarmText2, &o.japaneseAlarmText1,
          &o.japaneseAlarmText2, &o.englishCountDownText1, &o.englishCountDownText2,
          &o.japaneseCountDownText1, &o.japaneseCountDownText2}) {
        FUZZ_CHECK(ShortText(*text));
    }

    WindowSettings design;
    design.FontName = QStringLiteral("Sans");
    design.FontSize = 12;
    const WindowSettings w = ReadWindowSettings(file, design);
    FUZZ_CHECK(TimerModeCode(w.startMode) >= 1 && TimerModeCode(w.startMode) <= 3);
    FUZZ_CHECK(std::isfinite(w.FontSize) && w.FontSize > 0);
    FUZZ_CHECK(ShortText(w.FontName));
    return 0;
}
