#pragma once

#include "core/WindowBorders.h"

#include <QMargins>

#include <memory>

class QMainWindow;
class QWidget;

namespace plimset {

// How a top-level window fits into the desktop: its taskbar button, whether it stays above
// other windows, whether the user may minimize it, and the frame the window manager draws
// around it. Each setting holds until changed, across hide and show.
class WindowServices {
public:
    virtual ~WindowServices() = default;
    // Gives the window a button in the taskbar (shown) or takes it away.
    virtual void SetTaskbarButton(QWidget* window, bool shown) = 0;
    // Keeps the window above ordinary windows, without recreating it or taking focus.
    virtual void SetAlwaysOnTop(QWidget* window, bool onTop) = 0;
    // Whether this desktop lets a window ask to stay above others (a Wayland compositor
    // decides that alone).
    virtual bool CanKeepOnTop() const = 0;
    // Whether a window learns and chooses its own position here (a Wayland compositor
    // keeps that to itself).
    virtual bool CanPlaceWindows() const = 0;
    // Offers minimizing or withholds it; a withheld minimize is undone even where the
    // window manager ignores the hint.
    virtual void SetMinimizeOffered(QWidget* window, bool offered) = 0;
    // Shows the window without title text or icon and keeps it out of pagers as well as
    // the taskbar: for a caption-less window such as the alert.
    virtual void SetUntitled(QWidget* window) = 0;
    // The frame the window manager gives the window in the screen's pixels (title bar in
    // top; on a scaled screen more than Qt's pixels), or a
    // null QMargins when it is not known. May be asked before the window is first shown.
    virtual QMargins FrameExtents(QWidget* window) = 0;
};

// The best services the desktop offers: the X11 back end where the program talks to an X
// server, else the plain Qt one.
std::unique_ptr<WindowServices> MakeWindowServices();

// The window's non-client size as the layout needs it: the real frame where the window
// manager tells it (else a typical frame) plus the menu bar when the window shows one. Qt
// puts the menu bar inside the window's client area, so the size to give
// QMainWindow::resize() for an outer size W x H is
//   W - frame.left() - frame.right()  by  H - frame.top() - frame.bottom(),
// which equals the area below the menu bar (outer size minus these borders) plus the menu
// bar's height.
Borders MeasureWindowBorders(WindowServices& services, QMainWindow* window);

// The menu bar's height in pixels when the window shows a menu bar with at least one
// visible menu (also before the window is first shown), else 0.
qint32 MenuBarHeight(QMainWindow* window);

} // namespace plimset
