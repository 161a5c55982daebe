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

// The alert texts' defaults, whatever the language in use: English keys default to English
// texts and Japanese keys to Japanese ones.
MessageTextDefaults DefaultMessageTexts();

// An English key's alert text as an interface in another language than Japanese shows it:
// a default text in the translation of the catalogue in use (none in English), any other
// as it stands. So the defaults follow the language while the file keeps its English keys.
QString ShownEnglishAlertText(const QString& stored);

// The other way, for a text the user may have left as shown: the translation of a default
// is stored as the English default it stands for.
QString StoredEnglishAlertText(const QString& shown);

// Where a key is stored: [Advanced] is for hand editing and never written by the program.
enum class OptionSection { Advanced, Option };

// How a key's value is read and corrected at load. A number that single precision cannot
// hold always gives the default.
enum class OptionRule {
    Within,       // an integer from lowest to highest, else the default
    SlotCount,    // an integer: below lowest the default, above highest held down to highest
    OnWhenOne,    // an integer: 1 is on, anything else off
    OnUnlessZero, // an integer: 0 is off, anything else on
    Positive,     // a number above 0, else the default
    Duration,     // a minutes.seconds number of 0 or more, else the default; a file of an
                  // older version has one "RingingTime" for both durations, which stands in
                  // for a missing key
    Text,         // text as it stands
    ModeOrder,    // one of the six orders of the three modes' numbers, else the default
    SoundFile,    // text defaulting to the installed alarm sound; without a sound file to
                  // play, the file source falls back to the beep
};

// The record's field a key fills; its type says how the stored code reads: an integer
// for numbers, on/off and choices (the enumerators in their order from 0), a number for
// the durations (minutes.seconds) and the scale, a text for texts and the mode order (the
// modes' numbers as digits).
template <class... T> using FieldOf = std::variant<T OptionSettings::*...>;
using OptionField = FieldOf<bool, int, qint16, std::chrono::minutes, Seconds, double, QString,
                            SoundSource, ButtonFace, TimeSeparator, LanguageSetting, ModeOrder>;

// A key's default: an integer code, a text (a number's default is its text, read like a
// stored value) or one of the default alert texts.
using OptionDefault = std::variant<qint16, const char*, QString MessageTextDefaults::*>;

// One scalar key of the settings file and the field it fills. The presets ("Alarm1",
// "CountDown1", ...) are not rows: their number of keys depends on the preset slots.
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

// The text a row's field of the record is stored as.
QString StoredText(const OptionSettings& options, const OptionKey& row);
// Whether two records hold the same value in a row's field.
bool SameValue(const OptionSettings& a, const OptionSettings& b, const OptionKey& row);
// Copies a row's field from one record to another.
void CopyValue(OptionSettings& to, const OptionSettings& from, const OptionKey& row);

// Reads every option with its default and load-time correction.
OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile);

// The same with the message defaults given.
OptionSettings LoadOptionSettings(const SettingsFile& file, const QString& defaultSoundFile,
                                  const MessageTextDefaults& messageDefaults);

// The options an empty settings file loads: every default of the table.
OptionSettings DefaultOptions(const QString& defaultSoundFile,
                              const MessageTextDefaults& messageDefaults);
OptionSettings DefaultOptions(const QString& defaultSoundFile = QString());

// What Restore Defaults gives: the defaults of every [Option] key, with the hand-edited
// [Advanced] values and the number of preset slots of the current options.
OptionSettings RestoredDefaults(const OptionSettings& current, const QString& defaultSoundFile);

// Counts the presets that are not empty.
void CountPresets(OptionSettings& options);

} // namespace plimset
