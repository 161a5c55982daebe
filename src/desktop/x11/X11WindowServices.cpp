#include "desktop/x11/X11WindowServices.h"

#include "desktop/x11/Xcb.h"

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

using namespace xcb;

namespace {

// Whether the running window manager announces support for an atom in _NET_SUPPORTED.
bool WindowManagerSupports(xcb_connection_t* c, xcb_window_t root, const char* name) {
    const std::vector<uint32_t> supported =
        Property32(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    const xcb_atom_t wanted = Atom(c, name);
    return std::find(supported.begin(), supported.end(), wanted) != supported.end();
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

// Qt writes the program's name for an empty title, the program's icon for none and the
// usual window-manager functions for a window that asks for none.
void ClearTitleIconAndButtons(xcb_connection_t* c, xcb_window_t id) {
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, Atom(c, name), Atom(c, "UTF8_STRING"), 8,
                            0, nullptr);
    }
    for (const xcb_atom_t name : {XCB_ATOM_WM_NAME, XCB_ATOM_WM_ICON_NAME}) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, name, XCB_ATOM_STRING, 8, 0, nullptr);
    }
    xcb_delete_property(c, id, Atom(c, "_NET_WM_ICON"));
    // No decorations and nothing the window manager offers on it (move, resize, minimize,
    // maximize, close): the window comes and goes with what it shows.
    constexpr uint32_t functionsAndDecorations = 0x1 | 0x2;
    const uint32_t hints[5] = {functionsAndDecorations, 0, 0, 0, 0};
    const xcb_atom_t motif = Atom(c, "_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, motif, motif, 32, 5, hints);
}

constexpr int kFrameExtentsPolls = 50;
constexpr int kFrameExtentsPollMs = 5;

} // namespace

bool X11WindowServices::IsAvailable() {
    return QtConnection() != nullptr;
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
    xcb_connection_t* c = QtConnection();
    if (c == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    const xcb_atom_t above = Atom(c, "_NET_WM_STATE_ABOVE");
    const xcb_atom_t skipPager = Atom(c, "_NET_WM_STATE_SKIP_PAGER");
    std::vector<uint32_t> atoms = Property32(c, id, state, XCB_ATOM_ATOM);
    std::erase_if(atoms, [&](uint32_t a) { return a == skip || a == above || a == skipPager; });
    if (!wishes.taskbarButton) {
        atoms.push_back(skip);
    }
    if (wishes.untitled) {
        atoms.push_back(skipPager);
        ClearTitleIconAndButtons(c, id);
    }
    if (wishes.onTop) {
        atoms.push_back(above);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
    xcb_flush(c);
}

void X11WindowServices::ChangeState(QWidget* window, const char* stateAtom, bool add) {
    xcb_connection_t* c = QtConnection();
    if (c == nullptr) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = RootOf(c, id);
    if (root == XCB_WINDOW_NONE) {
        return;
    }
    SendToRoot(c, root, id, Atom(c, "_NET_WM_STATE"), add ? StateAdd : StateRemove,
               Atom(c, stateAtom), 0, SourceApplication);
}

QMargins X11WindowServices::FrameExtents(QWidget* window) {
    if (window == nullptr) {
        return {};
    }
    xcb_connection_t* c = QtConnection();
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
