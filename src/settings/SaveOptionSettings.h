#pragma once

#include <QString>

namespace plimset {

class SettingsFile;
struct OptionSettings;

// The text a CountDown preset is stored as: the shortest text of the value, or, when it
// has a fraction, two decimals without a leading zero (1.3 as "1.30", 0.5 as ".50", 2 as
// "2").
QString CountDownPresetText(float value);

// The text a single-precision option is stored as: its shortest text with up to seven
// significant digits ("0.03", "1", "1.5").
QString SingleText(float value);

// Takes the values the Options dialog collected (`edited`; its presets in the order the
// boxes show them) into the live record and writes every [Option] key whose value changed,
// all in one write of the file, in the keys' fixed order. Presets are moved to the front
// and counted; the sound file is written only with File as the source and the beep count
// only with System; [Advanced] is never written. The live record takes the new values even
// when the write fails. Returns false when the file could not be written.
bool SaveOptionSettings(SettingsFile& file, OptionSettings& current, const OptionSettings& edited);

} // namespace plimset
