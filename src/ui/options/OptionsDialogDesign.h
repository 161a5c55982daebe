#pragma once

// The Options dialog's fixed choices, shared by the files that build and fill it.

#include "core/OptionSettings.h"

#include <QString>

namespace plimset::options_design {

// The least point size of the dialog's font; a larger desktop font is kept.
inline constexpr int DialogFontPoints = 9;

// The display lengths the length list offers, from its first item on.
inline constexpr qint16 FirstListedLength = 5;
inline constexpr qint16 LastListedLength = 8;

// The sound sources' option buttons' ids: the choices' positions.
enum SoundSourceId {
    BeepSource = static_cast<int>(SoundSource::Beep),
    FileSource = static_cast<int>(SoundSource::File),
    SilentSource = static_cast<int>(SoundSource::None),
};

} // namespace plimset::options_design
