#pragma once

// The Options dialog's fixed choices, shared by the files that build and fill it.

#include <QString>

namespace plimset::options_design {

// The least point size of the dialog's font; a larger desktop font is kept.
inline constexpr int DialogFontPoints = 9;

// The display lengths the length list offers, from its first item on.
inline constexpr qint16 FirstListedLength = 5;
inline constexpr qint16 LastListedLength = 8;

// The sound sources, as the SoundFlag option stores them and the option buttons' ids.
enum SoundSourceId { BeepSource = 0, FileSource = 1, SilentSource = 2 };

} // namespace plimset::options_design
