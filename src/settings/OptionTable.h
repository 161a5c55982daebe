#pragma once

#include "core/OptionSettings.h"

#include <QString>
#include <limits>
#include <span>
#include <variant>

namespace plimset {

class SettingsFile;

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
