#include "settings/OptionTable.h"

#include "core/NumericText.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"
#include "settings/TimerModeCodes.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace plimset {

namespace {

using S = OptionSettings;
using M = MessageTextDefaults;
constexpr OptionSection Advanced = OptionSection::Advanced;
constexpr OptionSection Option = OptionSection::Option;
constexpr qint16 Int16Min = std::numeric_limits<qint16>::min();
constexpr qint16 Int16Max = std::numeric_limits<qint16>::max();

// One builder per kind of key, so that a row's default is of its kind.
constexpr OptionKey integerKey(OptionSection section, const char* key, OptionField field,
                               qint16 defaultValue, qint16 lowest = Int16Min,
                               qint16 highest = Int16Max, OptionRule rule = OptionRule::Within) {
    return {section, key, field, defaultValue, rule, lowest, highest};
}

constexpr OptionKey flagKey(OptionSection section, const char* key, bool S::*field,
                            bool defaultValue, OptionRule rule = OptionRule::OnWhenOne) {
    return {section, key, field, qint16(defaultValue ? 1 : 0), rule};
}

constexpr OptionKey numberKey(const char* key, OptionField field, const char* defaultText,
                              OptionRule rule) {
    return {Option, key, field, defaultText, rule};
}

constexpr OptionKey textKey(OptionSection section, const char* key, OptionField field,
                            OptionDefault defaultValue, OptionRule rule = OptionRule::Text) {
    return {section, key, field, defaultValue, rule};
}

// On/off keys read a hand-edited code as the program always did where all its readers
// agreed, and as most of them did where they did not: 1 is on, except for the rows that
// say anything but 0.
constexpr OptionKey Table[] = {
    // MaxCol also sizes the preset arrays, so a huge value is held down to the ceiling.
    integerKey(Advanced, "MaxCol", &S::presetSlots, 5, 1, MaxColCeiling, OptionRule::SlotCount),
    textKey(Advanced, "ModeOrder", &S::modeOrder, "213", OptionRule::ModeOrder),
    integerKey(Advanced, "ButtonStyle", &S::buttonFace, 2, 0, 2),
    integerKey(Advanced, "TimeSeparator", &S::timeSeparator, 1, 0, 1),
    integerKey(Advanced, "DesktopNotification", &S::desktopNotification, 1, 0, 1,
               OptionRule::OnUnlessZero),

    // The add action offers 1 to 99 minutes; anything else would add nothing or go back.
    integerKey(Option, "AddMinute", &S::minutesToAdd, 10, 1, 99),
    flagKey(Option, "CountDownRepeat", &S::repeatCountDown, false),
    integerKey(Option, "SoundFlag", &S::soundSource, 1, 0, 2),
    textKey(Option, "SoundFile", &S::soundFile, "", OptionRule::SoundFile),
    integerKey(Option, "SoundBeep", &S::beepCount, 10, 0),
    flagKey(Option, "SoundUntilEnd", &S::playSoundToEnd, false, OptionRule::OnUnlessZero),
    flagKey(Option, "MessageBox", &S::showAlertWindow, true, OptionRule::OnUnlessZero),
    numberKey("RingDuration", &S::ringDuration, "0.03", OptionRule::Duration),
    numberKey("DisplayDuration", &S::displayDuration, "1", OptionRule::Duration),
    numberKey("MessageBoxSize", &S::alertWindowScale, "1", OptionRule::Positive),
    flagKey(Option, "TaskTray", &S::trayIcon, false),
    flagKey(Option, "TaskBar", &S::taskbarButton, true),
    flagKey(Option, "Progress", &S::showProgress, false),
    flagKey(Option, "ShowAlways", &S::progressAlways, false),
    integerKey(Option, "MaxLength", &S::displayLength, 6, 5, 8),
    // Names are matched without regard to case, so this also reads "Hotkey".
    integerKey(Option, "HotKey", &S::hotkey, 0),
    // 0 the session's language, 1 English, 2 Japanese, 3 German, 4 French, 5 Spanish,
    // 6 Simplified Chinese; a value beyond these acts as 0 and stays in the file.
    integerKey(Option, "Language", &S::language, 0, 0, 6),
    textKey(Option, "MessageBoxTextA1_E", &S::englishAlarmText1, &M::A1_E),
    textKey(Option, "MessageBoxTextA2_E", &S::englishAlarmText2, ""),
    textKey(Option, "MessageBoxTextA1_J", &S::japaneseAlarmText1, &M::A1_J),
    textKey(Option, "MessageBoxTextA2_J", &S::japaneseAlarmText2, ""),
    textKey(Option, "MessageBoxTextC1_E", &S::englishCountDownText1, &M::C1_E),
    textKey(Option, "MessageBoxTextC2_E", &S::englishCountDownText2, &M::C2_E),
    textKey(Option, "MessageBoxTextC1_J", &S::japaneseCountDownText1, &M::C1_J),
    textKey(Option, "MessageBoxTextC2_J", &S::japaneseCountDownText2, &M::C2_J),
};

template <class... Visitor> struct Overloaded : Visitor... { using Visitor::operator()...; };
template <class... Visitor> Overloaded(Visitor...) -> Overloaded<Visitor...>;

QString sectionName(OptionSection section) {
    return section == Advanced ? QStringLiteral("Advanced") : QStringLiteral("Option");
}

// A number from the file as single precision; what a float cannot hold gives fallback.
float toSingle(double value, float fallback) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return fallback;
    }
    return static_cast<float>(value);
}

// MaxCol: a count below one slot is no count, one above the ceiling is held down to it.
qint16 slotCount(qint16 value, const OptionKey& row) {
    if (value < row.lowest) {
        return std::get<qint16>(row.defaultValue);
    }
    return std::min(value, row.highest);
}

bool isModeOrder(const QString& text) {
    for (const char* order : {"123", "132", "213", "231", "312", "321"}) {
        if (text == QLatin1String(order)) {
            return true;
        }
    }
    return false;
}

// The modes of a stored order: their numbers as digits ("213").
ModeOrder modeOrderOf(const QString& digits) {
    return ModeMenuOrder(digits);
}

QString modeOrderText(const ModeOrder& order) {
    QString digits;
    for (const TimerMode mode : order) {
        digits += QString::number(TimerModeCode(mode));
    }
    return digits;
}

// The text of a duration, from the older "RingingTime" when the file has no value for it.
QString durationText(const SettingsFile& file, const OptionKey& row, const QString& defaultText) {
    const QString option = sectionName(row.section);
    const QString text = file.ReadIniString(option, QLatin1String(row.key), QString());
    return text.isEmpty() ? file.ReadIniString(option, QStringLiteral("RingingTime"), defaultText)
                          : text;
}

// Without a sound file to play, the file choice falls back to the beep.
void useBeepWithoutSoundFile(OptionSettings& s) {
    if (s.soundFile.isEmpty() && s.soundSource == SoundSource::File) {
        s.soundSource = SoundSource::Beep;
    }
}

// Integer keys hold 16-bit values; one outside that range was never written by the
// program and counts as absent.
qint16 readInteger(const SettingsFile& file, const OptionKey& row) {
    const qint16 fallback = std::get<qint16>(row.defaultValue);
    const qint16 value =
        ReadIniInt16(file, sectionName(row.section), QLatin1String(row.key), fallback);
    if (row.rule == OptionRule::SlotCount) {
        return slotCount(value, row);
    }
    return value < row.lowest || value > row.highest ? fallback : value;
}

float readNumber(const SettingsFile& file, const OptionKey& row) {
    const QString defaultText = QLatin1String(std::get<const char*>(row.defaultValue));
    const float fallback = toSingle(NumericValue(defaultText), 0.0f);
    const QString text =
        row.rule == OptionRule::Duration
            ? durationText(file, row, defaultText)
            : file.ReadIniString(sectionName(row.section), QLatin1String(row.key), defaultText);
    const float value = toSingle(NumericValue(text), fallback);
    // A negative duration or a size of 0 or less is nothing the dialog could have stored.
    const bool usable = row.rule == OptionRule::Duration ? value >= 0 : value > 0;
    return usable ? value : fallback;
}

QString readText(const SettingsFile& file, const OptionKey& row, const QString& defaultSoundFile,
                 const MessageTextDefaults& messages) {
    QString defaultText;
    if (row.rule == OptionRule::SoundFile) {
        defaultText = defaultSoundFile;
    } else if (const auto* message = std::get_if<QString M::*>(&row.defaultValue)) {
        defaultText = messages.*(*message);
    } else {
        defaultText = QString::fromLatin1(std::get<const char*>(row.defaultValue));
    }
    const QString text =
        file.ReadIniString(sectionName(row.section), QLatin1String(row.key), defaultText);
    return row.rule == OptionRule::ModeOrder && !isModeOrder(text) ? defaultText : text;
}

// Default preset texts, cut into fixed-width pieces: slot i takes piece i, "" beyond.
constexpr const char* AlarmPresetDefaults = "010030060";
constexpr int AlarmPieceWidth = 3;
constexpr const char* CountDownPresetDefaults = "03.0004.0005.00";
constexpr int CountDownPieceWidth = 5;

QString presetDefault(const char* pieces, int width, int slot) {
    return QString::fromLatin1(pieces).mid(width * (slot - 1), width);
}

// Slots 1 to MaxCol of the file ("Alarm1", "CountDown1", ...) fill indices 0 to
// presetSlots - 1; the top index stays empty.
void loadPresets(const SettingsFile& file, OptionSettings& s) {
    const QString option = sectionName(Option);
    s.alarmPresets.assign(s.presetSlots + 1, std::chrono::minutes(0));
    s.countDownPresets.assign(s.presetSlots + 1, Seconds(0));
    for (int slot = 1; slot <= s.presetSlots; ++slot) {
        const QString number = QString::number(slot);
        s.alarmPresets[slot - 1] = std::chrono::minutes(RoundToInt16(NumericValue(
            file.ReadIniString(option, QStringLiteral("Alarm") + number,
                               presetDefault(AlarmPresetDefaults, AlarmPieceWidth, slot)))));
        s.countDownPresets[slot - 1] = TimeValueDuration(
            toSingle(NumericValue(file.ReadIniString(
                         option, QStringLiteral("CountDown") + number,
                         presetDefault(CountDownPresetDefaults, CountDownPieceWidth, slot))),
                     0.0f));
    }
    CountPresets(s);
}

// Reads a row's stored code with its rule and gives the row's field the value it stands
// for; the field's type says whether the code is an integer, a number or a text.
void readField(OptionSettings& s, const SettingsFile& file, const OptionKey& row,
               const QString& defaultSoundFile, const MessageTextDefaults& messages) {
    const auto text = [&] { return readText(file, row, defaultSoundFile, messages); };
    std::visit(Overloaded{
                   [&](bool S::*field) {
                       const qint16 value = readInteger(file, row);
                       s.*field = row.rule == OptionRule::OnWhenOne ? value == 1 : value != 0;
                   },
                   [&](Seconds S::*field) { s.*field = TimeValueDuration(readNumber(file, row)); },
                   [&](double S::*field) { s.*field = readNumber(file, row); },
                   [&](QString S::*field) { s.*field = text(); },
                   [&](ModeOrder S::*field) { s.*field = modeOrderOf(text()); },
                   [&]<class Integer>(Integer S::*field) {
                       s.*field = static_cast<Integer>(readInteger(file, row));
                   },
               },
               row.field);
}

} // namespace

std::span<const OptionKey> OptionTable() {
    return Table;
}

QString DefaultSoundFile(const QString& candidatePath) {
    return QFileInfo(candidatePath).isFile() ? candidatePath : QString();
}

QString DefaultSoundFile() {
    return DefaultSoundFile(
        QStringLiteral("/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga"));
}

OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile,
                                  const MessageTextDefaults& messageDefaults) {
    OptionSettings s;
    for (const OptionKey& row : OptionTable()) {
        readField(s, file, row, defaultSoundFile, messageDefaults);
    }
    loadPresets(file, s);
    useBeepWithoutSoundFile(s);
    s.largestTime = LargestTime(s.displayLength, s.timeSeparator);
    return s;
}

OptionSettings DefaultOptions(const QString& defaultSoundFile,
                              const MessageTextDefaults& messageDefaults) {
    // No file: every key takes its default.
    return LoadOptionSettings(SettingsFile(QString()), defaultSoundFile, messageDefaults);
}

OptionSettings DefaultOptions(const QString& defaultSoundFile) {
    return DefaultOptions(defaultSoundFile, DefaultMessageTexts());
}

OptionSettings RestoredDefaults(const OptionSettings& current, const QString& defaultSoundFile) {
    OptionSettings restored = DefaultOptions(defaultSoundFile);
    for (const OptionKey& row : OptionTable()) {
        if (row.section == Advanced) {
            CopyValue(restored, current, row);
        }
    }
    const size_t size = static_cast<size_t>(current.presetSlots) + 1;
    restored.alarmPresets.resize(size, std::chrono::minutes(0));
    restored.countDownPresets.resize(size, Seconds(0));
    restored.alarmPresets.back() = std::chrono::minutes(0);
    restored.countDownPresets.back() = Seconds(0);
    CountPresets(restored);
    restored.largestTime = LargestTime(restored.displayLength, restored.timeSeparator);
    return restored;
}

void CountPresets(OptionSettings& s) {
    s.alarmCount = static_cast<int>(std::count_if(s.alarmPresets.begin(), s.alarmPresets.end(),
                                                  [](auto p) { return p.count() != 0; }));
    s.countDownCount =
        static_cast<int>(std::count_if(s.countDownPresets.begin(), s.countDownPresets.end(),
                                       [](auto p) { return p.count() != 0; }));
}

QString StoredText(const OptionSettings& s, const OptionKey& row) {
    return std::visit(
        Overloaded{
            [&](bool S::*field) { return QString::number(s.*field ? 1 : 0); },
            [&](Seconds S::*field) { return SingleText(DurationTimeValue(s.*field)); },
            [&](double S::*field) { return SingleText(static_cast<float>(s.*field)); },
            [&](QString S::*field) { return s.*field; },
            [&](ModeOrder S::*field) { return modeOrderText(s.*field); },
            [&](std::chrono::minutes S::*field) { return QString::number((s.*field).count()); },
            [&]<class Integer>(Integer S::*field) {
                return QString::number(static_cast<int>(s.*field));
            },
        },
        row.field);
}

bool SameValue(const OptionSettings& a, const OptionSettings& b, const OptionKey& row) {
    return std::visit([&](auto S::*field) { return a.*field == b.*field; }, row.field);
}

void CopyValue(OptionSettings& to, const OptionSettings& from, const OptionKey& row) {
    std::visit([&](auto S::*field) { to.*field = from.*field; }, row.field);
}

} // namespace plimset
