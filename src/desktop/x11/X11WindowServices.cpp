#include "desktop/x11/X11WindowServices.h"

#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace plimset {

namespace {

// The connection Qt uses, or null when the program does not run on X11.
xcb_connection_t* Connection() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
}

xcb_window_t RootOf(xcb_connection_t* c, xcb_window_t window) {
    xcb_query_tree_reply_t* reply = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
    const xcb_window_t root = reply != nullptr ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
    free(reply);
    return root;
}

// A 32-bit property as a list of values; empty when the property is missing.
std::vector<uint32_t> Property32(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                 xcb_atom_t type) {
    std::vector<uint32_t> values;
    const auto cookie = xcb_get_property(c, 0, window, property, type, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply != nullptr && reply->format == 32 && reply->type == type) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

// Whether the running window manager announces support for an atom in _NET_SUPPORTED.
bool WindowManagerSupports(xcb_connection_t* c, xcb_window_t root, const char* name) {
    const std::vector<uint32_t> supported =
        Property32(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    const xcb_atom_t wanted = Atom(c, name);
    return std::find(supported.begin(), supported.end(), wanted) != supported.end();
}

// Sends a client message about window to the root window, where the window manager
// listens (EWMH's way for clients to ask for state changes).
void SendToRoot(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                uint32_t d0 = 0, uint32_t d1 = 0, uint32_t d2 = 0, uint32_t d3 = 0) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    event.data.data32[3] = d3;
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
}

std::optional<QMargins> ReadFrameExtents(xcb_connection_t* c, xcb_window_t window,
                                         xcb_atom_t extents) {
    const std::vector<uint32_t> v = Property32(c, window, extents, XCB_ATOM_CARDINAL);
    if (v.size() != 4) {
        return std::nullopt;
    }
    // _NET_FRAME_EXTENTS is left, right, top, bottom.
    return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                    static_cast<int>(v[3]));
}

constexpr uint32_t kStateRemove = 0;
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kSourceApplication = 1;
constexpr int kFrameExtentsPolls = 50;
constexpr int kFrameExtentsPollMs = 5;

} // namespace

bool X11WindowServices::IsAvailable() {
    return Connection() != nullptr;
}

void X11WindowServices::SetTaskbarButton(QWidget* window, bool shown) {
    if (window == nullptr) {
        return;
    }
    QtWindowServices::SetTaskbarButton(window, shown);
    if (IsMapped(window)) {
        ChangeState(window, "_NET_WM_STATE_SKIP_TASKBAR", !shown);
    }
}

void X11WindowServices::SetAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr) {
        return;
    }
    // The window manager's state keeps the window (and its id) as it is, and takes effect
    // at once; Qt's hint would recreate the native window.
    Watch(window).onTop = onTop;
    if (IsMapped(window)) {
        ChangeState(window, "_NET_WM_STATE_ABOVE", onTop);
    }
}

void X11WindowServices::BeforeMap(QWidget* window, const Wishes& wishes) {
    // Sent before the native window is mapped: the window manager reads the state
    // property as it takes the window on, and Qt merges its own states into it.
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t above = Atom(c, "_NET_WM_STATE_ABOVE");
    std::vector<uint32_t> atoms = Property32(c, id, state, XCB_ATOM_ATOM);
    std::erase_if(atoms, [&](uint32_t a) { return a == skip || a == above; });
    if (!wishes.taskbarButton) {
        atoms.push_back(skip);
    }
    if (wishes.onTop) {
        atoms.push_back(above);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
    xcb_flush(c);
}

void X11WindowServices::ChangeState(QWidget* window, const char* stateAtom, bool add) {
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = RootOf(c, id);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    SendToRoot(c, root, id, Atom(c, "_NET_WM_STATE"), add ? kStateAdd : kStateRemove,
               Atom(c, stateAtom), 0, kSourceApplication);
}

QMargins X11WindowServices::FrameExtents(QWidget* window) {
    if (window == nullptr) {
        return {};
    }
    xcb_connection_t* c = Connection();
    if (c == nullptr) {
        return QtWindowServices::FrameExtents(window);
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = RootOf(c, id);
    if (root == XCB_WINDOW_NONE || !WindowManagerSupports(c, root, "_NET_FRAME_EXTENTS")) {
        return {};
    }
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    if (const auto frame = ReadFrameExtents(c, id, extents)) {
        return *frame;
    }
    if (IsMapped(window) || !WindowManagerSupports(c, root, "_NET_REQUEST_FRAME_EXTENTS")) {
        return {};
    }
    // Ask the window manager what frame it would give the window once mapped; it
    // answers by setting the property, normally within a few milliseconds.
    SendToRoot(c, root, id, Atom(c, "_NET_REQUEST_FRAME_EXTENTS"));
    for (int i = 0; i < kFrameExtentsPolls; ++i) {
        if (const auto frame = ReadFrameExtents(c, id, extents)) {
            return *frame;
        }
        QThread::msleep(kFrameExtentsPollMs);
    }
    return {};
}

} // namespace plimset
