#include "alerts/WindowActivation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/Xcb.h"
#endif

namespace plimset {

#ifdef PLIMSET_HAVE_XCB
namespace {

// The request speaks for the user (as a pager or taskbar would): an alarm that comes due
// is what the user asked to be shown, so the window manager's focus-stealing prevention
// must not hold it back.
bool BringToFrontX11(QWidget* window, bool keepOnTop) {
    using namespace xcb;
    xcb_connection_t* c = QtConnection();
    if (c == nullptr || window->windowHandle() == nullptr) {
        return false;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = RootOf(c, id);
    if (root == XCB_WINDOW_NONE) {
        return false;
    }
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t above = Atom(c, "_NET_WM_STATE_ABOVE");
    SendToRoot(c, root, id, state, StateAdd, above);
    SendToRoot(c, root, id, state, StateRemove, above);
    SendToRoot(c, root, id, Atom(c, "_NET_ACTIVE_WINDOW"), SourceUser, XCB_CURRENT_TIME);
    if (keepOnTop) {
        SendToRoot(c, root, id, state, StateAdd, above);
    }
    return true;
}

} // namespace
#endif

bool DesktopWindowActivation::IsForeground(const QWidget* window) const {
    return window != nullptr && window->isActiveWindow();
}

void DesktopWindowActivation::BringToFront(QWidget* window, bool keepOnTop) {
    if (window == nullptr) {
        return;
    }
#ifdef PLIMSET_HAVE_XCB
    if (BringToFrontX11(window, keepOnTop)) {
        return;
    }
#endif
    (void)keepOnTop;
    window->raise();
    window->activateWindow();
}

} // namespace plimset
