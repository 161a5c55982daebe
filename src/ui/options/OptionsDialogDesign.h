#pragma once

// The Options dialog's design measures and fixed choices, shared by the files that build
// and fill it.

#include "core/OptionSettings.h"

#include <QString>

namespace plimset::options_design {

// The design's client area, twips.
inline constexpr double DialogWidth = 7470;
inline constexpr double DialogHeight = 6750;
// One preset box and the viewport of its strip, twips.
inline constexpr double PresetBoxWidth = 525;
inline constexpr double PresetBoxHeight = 270;
inline constexpr double ViewportLeft = 120;
inline constexpr double ViewportWidth = 3135;
// The font the design's twips were measured with.
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
