#include "settings/OptionSettings.h"

#include "core/NumericText.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace plimset {

namespace {

// Default preset texts, cut into fixed-width pieces: slot i takes piece i, "" beyond.
constexpr const char* AlarmPresetDefaults = "010030060";
constexpr int AlarmPieceWidth = 3;
constexpr const char* CountDownPresetDefaults = "03.0004.0005.00";
constexpr int CountDownPieceWidth = 5;

QString presetDefault(const char* pieces, int width, int slot) {
    return QString::fromLatin1(pieces).mid(width * (slot - 1), width);
}

// A number from the file as single precision; what a float cannot hold gives fallback.
float toSingle(double value, float fallback) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return fallback;
    }
    return static_cast<float>(value);
}

bool isModeOrder(const QString& text) {
    for (const char* order : {"123", "132", "213", "231", "312", "321"}) {
        if (text == QLatin1String(order)) {
            return true;
        }
    }
    return false;
}

} // namespace

float MaxTimeValue(qint16 maxLength, qint16 timeSeparator) {
    if (timeSeparator == 1 && maxLength == 8) {
        return 6000.0f;
    }
    const double value = std::pow(10.0, maxLength - 3);
    return toSingle(value, std::numeric_limits<float>::max());
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
    const QString advanced = QStringLiteral("Advanced");
    const QString option = QStringLiteral("Option");
    // Integer keys hold 16-bit values; one outside that range was never written by the
    // program and counts as absent.
    const auto readInt = [&](const QString& section, const char* key, qint16 defaultValue) {
        return ReadIniInt16(file, section, QLatin1String(key), defaultValue);
    };
    // A value outside what the program can use takes the key's default instead.
    const auto readIntWithin = [&](const QString& section, const char* key, qint16 defaultValue,
                                   qint16 lowest, qint16 highest) {
        const qint16 value = readInt(section, key, defaultValue);
        return value < lowest || value > highest ? defaultValue : value;
    };
    const auto readText = [&](const char* key, const QString& defaultValue) {
        return file.ReadIniString(option, QLatin1String(key), defaultValue);
    };

    OptionSettings s;

    // [Advanced]. MaxCol also sizes the preset arrays, so a huge value is held down.
    s.MaxCol = readInt(advanced, "MaxCol", 5);
    if (s.MaxCol < 1) {
        s.MaxCol = 5;
    } else if (s.MaxCol > MaxColCeiling) {
        s.MaxCol = MaxColCeiling;
    }
    s.ModeOrder = file.ReadIniString(advanced, QStringLiteral("ModeOrder"), QStringLiteral("213"));
    if (!isModeOrder(s.ModeOrder)) {
        s.ModeOrder = QStringLiteral("213");
    }
    s.ButtonStyle = readIntWithin(advanced, "ButtonStyle", 2, 0, 2);
    s.TimeSeparator = readIntWithin(advanced, "TimeSeparator", 1, 0, 1);

    // Presets: slots 1 to MaxCol of the file fill indices 0 to MaxCol - 1; the top index
    // stays 0.
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

    // The add action offers 1 to 99 minutes; anything else would add nothing or go back.
    s.AddMinute = readIntWithin(option, "AddMinute", 10, 1, 99);
    s.CountDownRepeat = readInt(option, "CountDownRepeat", 0);
    s.SoundFlag = readIntWithin(option, "SoundFlag", 1, 0, 2);
    s.SoundFile = readText("SoundFile", defaultSoundFile);
    if (s.SoundFile.isEmpty() && s.SoundFlag == 1) {
        s.SoundFlag = 0;
    }
    s.SoundBeep = readIntWithin(option, "SoundBeep", 10, 0, std::numeric_limits<qint16>::max());
    s.SoundUntilEnd = readInt(option, "SoundUntilEnd", 0);

    s.MessageBox = readInt(option, "MessageBox", 1);
    // A file of an older version has one "RingingTime" for both durations. A duration
    // that is negative or not a number is no duration the dialog could have stored.
    const auto duration = [&](const char* key, const char* defaultText, float defaultValue) {
        QString text = readText(key, QString());
        if (text.isEmpty()) {
            text = readText("RingingTime", QString::fromLatin1(defaultText));
        }
        const float value = toSingle(NumericValue(text), defaultValue);
        return value < 0 ? defaultValue : value;
    };
    s.RingDuration = duration("RingDuration", "0.03", 0.03f);
    s.DisplayDuration = duration("DisplayDuration", "1", 1.0f);
    s.MessageBoxSize = toSingle(NumericValue(readText("MessageBoxSize", QStringLiteral("1"))), 1);
    if (s.MessageBoxSize <= 0) {
        s.MessageBoxSize = 1;
    }
    s.TaskTray = readInt(option, "TaskTray", 0);
    s.TaskBar = readInt(option, "TaskBar", 1);
    s.Progress = readInt(option, "Progress", 0);
    s.ShowAlways = readInt(option, "ShowAlways", 0);
    s.MaxLength = readIntWithin(option, "MaxLength", 6, 5, 8);
    s.Hotkey = readInt(option, "Hotkey", 0);
    s.Language = readIntWithin(option, "Language", 0, 0, 2);

    s.MaxTimeValue = MaxTimeValue(s.MaxLength, s.TimeSeparator);

    s.MessageBoxTextA1_E = readText("MessageBoxTextA1_E", messageDefaults.A1_E);
    s.MessageBoxTextA2_E = readText("MessageBoxTextA2_E", QString());
    s.MessageBoxTextA1_J = readText("MessageBoxTextA1_J", messageDefaults.A1_J);
    s.MessageBoxTextA2_J = readText("MessageBoxTextA2_J", QString());
    s.MessageBoxTextC1_E = readText("MessageBoxTextC1_E", messageDefaults.C1_E);
    s.MessageBoxTextC2_E = readText("MessageBoxTextC2_E", messageDefaults.C2_E);
    s.MessageBoxTextC1_J = readText("MessageBoxTextC1_J", messageDefaults.C1_J);
    s.MessageBoxTextC2_J = readText("MessageBoxTextC2_J", messageDefaults.C2_J);
    return s;
}

} // namespace plimset
