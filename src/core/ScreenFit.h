#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <vector>

namespace plimset {

// A window's outer top-left corner pulled back onto the virtual screen so that at least
// 50 pixels of the window stay visible on each axis. size is the window's outer size;
// virtualScreen is the bounding rectangle of all screens (its origin may be negative). An
// empty virtual screen (no screen known) leaves the position as it is.
QPoint KeepOnScreen(QPoint position, QSize size, const QRect& virtualScreen);

// Where a window goes that must leave another one readable: at `centred` (the window's
// place by the centring rule, its outer size included) where that does not overlap
// `other`; otherwise beside `other`, `gap` pixels away and centred on it along that side:
// below it, or where the screen area has no room there, above, right or left of it, moved
// along the side as far as it takes to be whole on the area. Where no side has room (a
// maximized `other`), the first of those places pulled onto the area that leaves
// `keepClear` uncovered. Pixels; an empty `other` or `screen` leaves the centred place.
QPoint PlaceBeside(const QRect& centred, const QRect& other, const QRect& screen,
                   const QRect& keepClear, int gap);

// A new window's position moved right and down by `step` on each axis for as long as one
// of the windows `others` already sits there (within half a step on both axes), so that
// the new window does not cover another one exactly.
QPoint AsideFromWindows(QPoint position, const std::vector<QPoint>& others, QPoint step);

} // namespace plimset
