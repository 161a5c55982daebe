// Loads the option and window records from any file: every field the program relies on is
// within its range, whatever the file holds.
#include "FuzzSupport.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"
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
    FUZZ_CHECK(o.AlarmPresets.size() == size_t(o.presetSlots) + 1);
    FUZZ_CHECK(o.CountDownPresets.size() == size_t(o.presetSlots) + 1);
    FUZZ_CHECK(o.AlarmPresets.back() == 0 && o.CountDownPresets.back() == 0);
    FUZZ_CHECK(o.alarmCount == std::count_if(o.AlarmPresets.begin(), o.AlarmPresets.end(),
                                             [](qint16 p) { return p != 0; }));
    FUZZ_CHECK(o.countDownCount == std::count_if(o.CountDownPresets.begin(),
                                                 o.CountDownPresets.end(),
                                                 [](float p) { return p != 0; }));
    for (const float preset : o.CountDownPresets) {
        FUZZ_CHECK(std::isfinite(preset));
    }
    QString order = o.ModeOrder;
    std::sort(order.begin(), order.end());
    FUZZ_CHECK(order == QStringLiteral("123"));
    FUZZ_CHECK(o.ButtonStyle >= 0 && o.ButtonStyle <= 2);
    FUZZ_CHECK(o.TimeSeparator == 0 || o.TimeSeparator == 1);
    FUZZ_CHECK(o.AddMinute >= 1 && o.AddMinute <= 99);
    FUZZ_CHECK(o.SoundFlag >= 0 && o.SoundFlag <= 2);
    FUZZ_CHECK(o.SoundFlag != 1 || !o.soundFile.isEmpty());
    FUZZ_CHECK(o.beepCount >= 0);
    FUZZ_CHECK(std::isfinite(o.RingDuration) && o.RingDuration >= 0);
    FUZZ_CHECK(std::isfinite(o.DisplayDuration) && o.DisplayDuration >= 0);
    FUZZ_CHECK(std::isfinite(o.alertWindowScale) && o.alertWindowScale > 0);
    FUZZ_CHECK(o.displayLength >= 5 && o.displayLength <= 8);
    FUZZ_CHECK(o.Language >= 0 && o.Language <= 2);
    FUZZ_CHECK(o.MaxTimeValue == MaxTimeValue(o.displayLength, o.TimeSeparator));
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
    FUZZ_CHECK(w.StartForm >= 1 && w.StartForm <= 3);
    FUZZ_CHECK(std::isfinite(w.FontSize) && w.FontSize > 0);
    FUZZ_CHECK(ShortText(w.FontName));
    return 0;
}
