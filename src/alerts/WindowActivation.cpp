#include "alerts/WindowActivation.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#ifdef PLIMSET_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace plimset {

#ifdef PLIMSET_HAVE_XCB
namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
}

// A client message about `window` to the root window, where the window manager listens.
void SendToRoot(xcb_connection_t* c, xcb_window_t window, xcb_atom_t type, uint32_t d0,
                uint32_t d1 = 0, uint32_t d2 = 0) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (screen == nullptr) {
        return;
    }
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    xcb_send_event(c, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

constexpr uint32_t stateRemove = 0;
constexpr uint32_t stateAdd = 1;
// The request speaks for the user (as a pager or taskbar would): an alarm that comes due
// is what the user asked to be shown, so the window manager's focus-stealing prevention
// must not hold it back.
constexpr uint32_t sourceUser = 2;

bool BringToFrontX11(QWidget* window, bool keepOnTop) {
    xcb_connection_t* c = Connection();
    if (c == nullptr || window->windowHandle() == nullptr) {
        return false;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t above = Atom(c, "_NET_WM_STATE_ABOVE");
    SendToRoot(c, id, state, stateAdd, above, 0);
    SendToRoot(c, id, state, stateRemove, above, 0);
    SendToRoot(c, id, Atom(c, "_NET_ACTIVE_WINDOW"), sourceUser, XCB_CURRENT_TIME, 0);
    if (keepOnTop) {
        SendToRoot(c, id, state, stateAdd, above, 0);
    }
    xcb_flush(c);
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
