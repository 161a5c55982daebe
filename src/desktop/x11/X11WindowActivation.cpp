#include "desktop/x11/X11WindowActivation.h"

#include "desktop/x11/Xcb.h"

#include <QWidget>
#include <QWindow>

namespace plimset {

namespace {

// The request speaks for the user (as a pager or taskbar would): an alarm that comes due
// is what the user asked to be shown, so the window manager's focus-stealing prevention
// must not hold it back.
bool AskWindowManagerToActivate(QWidget* window, bool keepOnTop) {
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

bool X11WindowActivation::IsAvailable() {
    return xcb::QtConnection() != nullptr;
}

void X11WindowActivation::BringToFront(QWidget* window, bool keepOnTop) {
    if (window == nullptr || AskWindowManagerToActivate(window, keepOnTop)) {
        return;
    }
    QtWindowActivation::BringToFront(window, keepOnTop);
}

} // namespace plimset
