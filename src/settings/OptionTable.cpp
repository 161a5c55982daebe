#include "settings/OptionTable.h"

#include "core/NumericText.h"
#include "settings/SettingsFile.h"

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

// One builder per kind of field, so that a row's default is of its field's kind.
constexpr OptionKey integerKey(OptionSection section, const char* key, qint16 S::*field,
                               qint16 defaultValue, qint16 lowest = Int16Min,
                               qint16 highest = Int16Max, OptionRule rule = OptionRule::Within) {
    return {section, key, field, defaultValue, rule, lowest, highest};
}

constexpr OptionKey numberKey(const char* key, float S::*field, const char* defaultText,
                              OptionRule rule) {
    return {Option, key, field, defaultText, rule};
}

constexpr OptionKey textKey(OptionSection section, const char* key, QString S::*field,
                            OptionDefault defaultValue, OptionRule rule = OptionRule::Text) {
    return {section, key, field, defaultValue, rule};
}

constexpr OptionKey Table[] = {
    // MaxCol also sizes the preset arrays, so a huge value is held down to the ceiling.
    integerKey(Advanced, "MaxCol", &S::MaxCol, 5, 1, MaxColCeiling, OptionRule::SlotCount),
    textKey(Advanced, "ModeOrder", &S::ModeOrder, "213", OptionRule::ModeOrder),
    integerKey(Advanced, "ButtonStyle", &S::ButtonStyle, 2, 0, 2),
    integerKey(Advanced, "TimeSeparator", &S::TimeSeparator, 1, 0, 1),

    // The add action offers 1 to 99 minutes; anything else would add nothing or go back.
    integerKey(Option, "AddMinute", &S::AddMinute, 10, 1, 99),
    integerKey(Option, "CountDownRepeat", &S::CountDownRepeat, 0),
    integerKey(Option, "SoundFlag", &S::SoundFlag, 1, 0, 2),
    textKey(Option, "SoundFile", &S::SoundFile, "", OptionRule::SoundFile),
    integerKey(Option, "SoundBeep", &S::SoundBeep, 10, 0),
    integerKey(Option, "SoundUntilEnd", &S::SoundUntilEnd, 0),
    integerKey(Option, "MessageBox", &S::MessageBox, 1),
    numberKey("RingDuration", &S::RingDuration, "0.03", OptionRule::Duration),
    numberKey("DisplayDuration", &S::DisplayDuration, "1", OptionRule::Duration),
    numberKey("MessageBoxSize", &S::MessageBoxSize, "1", OptionRule::Positive),
    integerKey(Option, "TaskTray", &S::TaskTray, 0),
    integerKey(Option, "TaskBar", &S::TaskBar, 1),
    integerKey(Option, "Progress", &S::Progress, 0),
    integerKey(Option, "ShowAlways", &S::ShowAlways, 0),
    integerKey(Option, "MaxLength", &S::MaxLength, 6, 5, 8),
    // Names are matched without regard to case, so this also reads "Hotkey".
    integerKey(Option, "HotKey", &S::Hotkey, 0),
    integerKey(Option, "Language", &S::Language, 0, 0, 2),
    textKey(Option, "MessageBoxTextA1_E", &S::MessageBoxTextA1_E, &M::A1_E),
    textKey(Option, "MessageBoxTextA2_E", &S::MessageBoxTextA2_E, ""),
    textKey(Option, "MessageBoxTextA1_J", &S::MessageBoxTextA1_J, &M::A1_J),
    textKey(Option, "MessageBoxTextA2_J", &S::MessageBoxTextA2_J, ""),
    textKey(Option, "MessageBoxTextC1_E", &S::MessageBoxTextC1_E, &M::C1_E),
    textKey(Option, "MessageBoxTextC2_E", &S::MessageBoxTextC2_E, &M::C2_E),
    textKey(Option, "MessageBoxTextC1_J", &S::MessageBoxTextC1_J, &M::C1_J),
    textKey(Option, "MessageBoxTextC2_J", &S::MessageBoxTextC2_J, &M::C2_J),
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

// The text of a duration, from the older "RingingTime" when the file has no value for it.
QString durationText(const SettingsFile& file, const OptionKey& row, const QString& defaultText) {
    const QString option = sectionName(row.section);
    const QString text = file.ReadIniString(option, QLatin1String(row.key), QString());
    return text.isEmpty() ? file.ReadIniString(option, QStringLiteral("RingingTime"), defaultText)
                          : text;
}

// Without a sound file to play, the file choice falls back to the beep.
void useBeepWithoutSoundFile(OptionSettings& s) {
    if (s.SoundFile.isEmpty() && s.SoundFlag == 1) {
        s.SoundFlag = 0;
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
// MaxCol - 1; the top index stays 0. The counts are of the slots that are not empty.
void loadPresets(const SettingsFile& file, OptionSettings& s) {
    const QString option = sectionName(Option);
    s.AlarmPresets.assign(s.MaxCol + 1, 0);
    s.CountDownPresets.assign(s.MaxCol + 1, 0.0f);
    s.AlarmCount = 0;
    s.CountDownCount = 0;
    for (int slot = 1; slot <= s.MaxCol; ++slot) {
        const QString number = QString::number(slot);
        const qint16 alarm = RoundToInt16(NumericValue(
            file.ReadIniString(option, QStringLiteral("Alarm") + number,
                               presetDefault(AlarmPresetDefaults, AlarmPieceWidth, slot))));
        s.AlarmPresets[slot - 1] = alarm;
        if (alarm != 0) {
            ++s.AlarmCount;
        }
        const float countDown =
            toSingle(NumericValue(file.ReadIniString(
                         option, QStringLiteral("CountDown") + number,
                         presetDefault(CountDownPresetDefaults, CountDownPieceWidth, slot))),
                     0.0f);
        s.CountDownPresets[slot - 1] = countDown;
        if (countDown != 0) {
            ++s.CountDownCount;
        }
    }
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
        std::visit(Overloaded{
                       [&](qint16 S::*field) { s.*field = readInteger(file, row); },
                       [&](float S::*field) { s.*field = readNumber(file, row); },
                       [&](QString S::*field) {
                           s.*field = readText(file, row, defaultSoundFile, messageDefaults);
                       },
                   },
                   row.field);
    }
    loadPresets(file, s);
    useBeepWithoutSoundFile(s);
    s.MaxTimeValue = MaxTimeValue(s.MaxLength, s.TimeSeparator);
    return s;
}

} // namespace plimset
