#pragma once

#include <QMargins>
#include <QtGlobal>

namespace plimset {

// A window's non-client size in pixels: BorderWidth is both side borders; BorderHeight is
// both borders, the title bar and, when the window shows one, the menu bar. Adding them to
// the size of the area below the menu bar gives the window's outer size.
struct Borders {
    qint32 BorderWidth = 0;
    qint32 BorderHeight = 0;
    QMargins Frame; // the frame counted, in pixels: the real one or the fallback
    // The same frame in the screen's pixels, of which a scaled screen has more than of
    // Qt's pixels, in which Frame is counted.
    QMargins ScreenFrame;
};

// Frame sizes in pixels used when the window manager does not tell the real frame: a
// sizable frame's border on each side and its title bar. They match a common default
// window manager theme closely enough for a first layout; the real frame, once known,
// replaces them.
struct FallbackFrame {
    qint32 SideBorder = 4;
    qint32 TopBottomBorder = 4;
    qint32 TitleBar = 23;
};

// The non-client size from the frame the window manager gives (pixels; a null frame means
// unknown, and the fallback frame is used) plus the menu bar's height in pixels (0 when the
// window shows no menu bar).
Borders MeasureBorders(const QMargins& framePx, qint32 menuBarPx,
                       const FallbackFrame& fallback = {});

} // namespace plimset
