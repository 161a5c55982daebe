#pragma once

// The Options dialog's design measures, shared by the files that build and fill it.

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

inline QString Name(const char* base, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

} // namespace plimset::options_design
