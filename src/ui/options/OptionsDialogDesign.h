#pragma once

// The Options dialog's design measures and fixed choices, shared by the files that build
// and fill it.

#include <QString>

#include <cmath>

namespace plimset {

// The dialog's design lengths are twips (1/1440 inch): 15 a pixel at 96 DPI.
struct TwipsPerPixel {
    double X = 15.0;
    double Y = 15.0;
};

inline int TwipsToPixels(double twips, double twipsPerPixel) {
    return twipsPerPixel > 0 ? static_cast<int>(std::nearbyint(twips / twipsPerPixel)) : 0;
}

} // namespace plimset

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

// The sound sources, as the SoundFlag option stores them and the option buttons' ids.
enum SoundSourceId { BeepSource = 0, FileSource = 1, SilentSource = 2 };

} // namespace plimset::options_design
