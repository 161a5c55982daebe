#pragma once

#include <QIcon>

namespace plimset {

// The program's own pictures, by the ids the windows ask for them.
inline constexpr int GoIconId = 101;      // the action button's start face
inline constexpr int StopIconId = 102;    // the action button's stop face, in every style
inline constexpr int GoRoundIconId = 201; // the start face of the second button style
inline constexpr int MinimizeIconId = 501;
inline constexpr int ClearIconId = 502;

// The picture with this id, or an empty icon for an id that has none.
QIcon ResourceIcon(int id);

// The program's icon, for its windows and the notification area.
QIcon ApplicationIcon();

} // namespace plimset
