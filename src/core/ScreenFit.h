#pragma once

#include <QRect>
#include <QtGlobal>

namespace plimset {

// A window's stored top-left corner in twips.
struct WindowPosition {
    qint32 Left = 0;
    qint32 Top = 0;
};

// Pulls a stored window position back onto the virtual screen so that at least 50 pixels
// of the window stay visible on each axis. width and height are the window's outer size in
// twips; virtualScreenPx is the bounding rectangle of all screens in pixels (its origin may
// be negative); tppx and tppy are twips per pixel. The results are whole twips. An empty
// virtual screen (no screen known) leaves the position as it is.
void KeepOnScreen(double width, double height, WindowPosition& position,
                  const QRect& virtualScreenPx, double tppx, double tppy);

} // namespace plimset
