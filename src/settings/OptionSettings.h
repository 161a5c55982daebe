#pragma once

#include <QString>
#include <limits>
#include <span>
#include <variant>
#include <vector>

namespace plimset {

class SettingsFile;

// Every user option, as read from the [Advanced] and [Option] sections of the settings
// file. Field names are the settings keys.
struct OptionSettings {
    // [Advanced]: read only, for hand editing.
    qint16 MaxCol = 5;
    QString ModeOrder = QStringLiteral("213");
    qint16 ButtonStyle = 2;
    qint16 TimeSeparator = 1;
    qint16 DesktopNotification = 1; // 1: every alert also posts a desktop notification

    // [Option]
    qint16 AlarmCount = 0;               // entries of AlarmPresets that are not 0
    qint16 CountDownCount = 0;           // entries of CountDownPresets that are not 0
    std::vector<qint16> AlarmPresets;    // MaxCol + 1 entries, minutes; 0 = empty slot
    std::vector<float> CountDownPresets; // MaxCol + 1 entries, time values; 0 = empty slot
    qint16 AddMinute = 10;
    qint16 CountDownRepeat = 0;
    qint16 SoundFlag = 1; // 0 beep, 1 file, 2 nothing
    QString SoundFile;
    qint16 SoundBeep = 10;
    qint16 SoundUntilEnd = 0;
    qint16 MessageBox = 1;
    float RingDuration = 0.03f;
    float DisplayDuration = 1.0f;
    float MessageBoxSize = 1.0f;
    qint16 TaskTray = 0;
    qint16 TaskBar = 1;
    qint16 Progress = 0;
    qint16 ShowAlways = 0;
    qint16 MaxLength = 6;
    qint16 Hotkey = 0;
    qint16 Language = 0; // 0 system default, 1 English, 2 Japanese
    QString MessageBoxTextA1_E;
    QString MessageBoxTextA2_E;
    QString MessageBoxTextA1_J;
    QString MessageBoxTextA2_J;
    QString MessageBoxTextC1_E;
    QString MessageBoxTextC2_E;
    QString MessageBoxTextC1_J;
    QString MessageBoxTextC2_J;

    // Derived from MaxLength and TimeSeparator at every load and save.
    float MaxTimeValue = 1000.0f;
};

// The largest countdown or stopwatch value for a display length and separator.
float MaxTimeValue(qint16 maxLength, qint16 timeSeparator);

// The alarm sound used when the settings name none: the desktop sound theme's alarm
// clock sound when it is installed, else "".
QString DefaultSoundFile();

// The same for a candidate path: the path when a file exists there, else "".
QString DefaultSoundFile(const QString& candidatePath);

// The highest number of preset slots per mode honoured from a hand-edited file.
inline constexpr qint16 MaxColCeiling = 99;

// Defaults of the alert window's message texts; the second Alarm lines default to "".
struct MessageTextDefaults {
    QString A1_E;
    QString A1_J;
    QString C1_E;
    QString C2_E;
    QString C1_J;
    QString C2_J;
};

// The message defaults from the string table by their full ids, whatever the language
// in use: English keys default to English texts and Japanese keys to Japanese ones.
MessageTextDefaults MessageTextDefaultsFromStringTable();

// Where a key is stored: [Advanced] is for hand editing and never written by the program.
enum class OptionSection { Advanced, Option };

// How a key's value is read and corrected at load. A number that single precision cannot
// hold always gives the default.
enum class OptionRule {
    Within,    // an integer from lowest to highest, else the default
    SlotCount, // an integer: below lowest the default, above highest held down to highest
    Positive,  // a number above 0, else the default
    Duration,  // a number of 0 or more, else the default; a file of an older version has
               // one "RingingTime" for both durations, which stands in for a missing key
    Text,      // text as it stands
    ModeOrder, // one of the six orders of the three modes, else the default
    SoundFile, // text defaulting to the installed alarm sound; without a sound file to
               // play, SoundFlag 1 (file) falls back to 0 (beep)
};

// The record's field a key fills; its type says how the value is stored.
using OptionField =
    std::variant<qint16 OptionSettings::*, float OptionSettings::*, QString OptionSettings::*>;

// A key's default: an integer, a text (a number's default is its text, read like a stored
// value) or one of the message texts of the string table.
using OptionDefault = std::variant<qint16, const char*, QString MessageTextDefaults::*>;

// One scalar key of the settings file and the field it fills. The presets ("Alarm1",
// "CountDown1", ...) are not rows: their number of keys depends on MaxCol.
struct OptionKey {
    OptionSection section;
    const char* key;
    OptionField field;
    OptionDefault defaultValue;
    OptionRule rule;
    qint16 lowest = std::numeric_limits<qint16>::min();
    qint16 highest = std::numeric_limits<qint16>::max();
};

// Every scalar key of [Advanced] and [Option], in the order of the settings file, which is
// also the order they are read and saved in.
std::span<const OptionKey> OptionTable();

// Reads every option with its default and load-time correction.
OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile);

// The same with the message defaults given.
OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile,
                                  const MessageTextDefaults& messageDefaults);

} // namespace plimset
