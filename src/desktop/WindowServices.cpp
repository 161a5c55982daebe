#include "desktop/WindowServices.h"

#include "desktop/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <optional>

#ifdef PLIMSET_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>
#endif

namespace plimset {

#ifdef PLIMSET_HAVE_XCB
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
#endif

X11WindowServices::X11WindowServices(QObject* parent) : QObject(parent) {}

X11WindowServices::~X11WindowServices() {
    for (auto it = wishes_.keyBegin(); it != wishes_.keyEnd(); ++it) {
        (*it)->removeEventFilter(this);
    }
}

bool X11WindowServices::IsX11() {
#ifdef PLIMSET_HAVE_XCB
    return Connection() != nullptr;
#else
    return false;
#endif
}

X11WindowServices::Wishes& X11WindowServices::Watch(QWidget* window) {
    auto it = wishes_.find(window);
    if (it == wishes_.end()) {
        it = wishes_.insert(window, Wishes{});
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this, window] { wishes_.remove(window); });
    }
    return *it;
}

bool X11WindowServices::IsMapped(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return window->isVisible() && handle != nullptr && handle->isVisible();
}

void X11WindowServices::SetTaskbarButton(QWidget* window, bool shown) {
    if (window == nullptr) {
        return;
    }
    Watch(window).taskbarButton = shown;
    if (IsMapped(window)) {
        ChangeState(window, "_NET_WM_STATE_SKIP_TASKBAR", !shown);
    }
}

void X11WindowServices::SetAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr) {
        return;
    }
    Watch(window).onTop = onTop;
    if (!IsX11()) {
        // Elsewhere only Qt's hint is available; it recreates the native window.
        const bool visible = window->isVisible();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        if (visible) {
            window->show();
        }
        return;
    }
    if (IsMapped(window)) {
        ChangeState(window, "_NET_WM_STATE_ABOVE", onTop);
    }
}

void X11WindowServices::SetMinimizeOffered(QWidget* window, bool offered) {
    if (window == nullptr) {
        return;
    }
    Watch(window).minimizeOffered = offered;
    Qt::WindowFlags flags = window->windowFlags();
    if (!flags.testFlag(Qt::CustomizeWindowHint)) {
        // Spell out the buttons a plain window gets so that only minimize changes.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    }
    flags.setFlag(Qt::WindowMinimizeButtonHint, offered);
    if (flags == window->windowFlags()) {
        return;
    }
    // Changing only the hints through the native window keeps it (and its id) as it is;
    // QWidget::setWindowFlags() would hide the window and create it anew.
    window->overrideWindowFlags(flags);
    if (QWindow* handle = window->windowHandle()) {
        handle->setFlags(flags);
    }
}

bool X11WindowServices::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    const auto it = window != nullptr ? wishes_.constFind(window) : wishes_.constEnd();
    if (it == wishes_.constEnd()) {
        return false;
    }
    if (event->type() == QEvent::Show) {
        // Sent before the native window is mapped: the window manager reads the state
        // property as it takes the window on, and Qt merges its own states into it.
        WriteStateBeforeMap(window, *it);
    } else if (event->type() == QEvent::WindowStateChange && !it->minimizeOffered &&
               window->isMinimized()) {
        // Some window managers minimize whatever the hints say; undo it at once.
        QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(window)] {
            if (target != nullptr) {
                RestoreIfMinimizeWithheld(target);
            }
        });
    }
    return false;
}

void X11WindowServices::RestoreIfMinimizeWithheld(QWidget* window) {
    const auto it = wishes_.constFind(window);
    if (it == wishes_.constEnd() || it->minimizeOffered || !window->isMinimized()) {
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
}

void X11WindowServices::WriteStateBeforeMap(QWidget* window, const Wishes& wishes) {
#ifdef PLIMSET_HAVE_XCB
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
#else
    Q_UNUSED(window);
    Q_UNUSED(wishes);
#endif
}

void X11WindowServices::ChangeState(QWidget* window, const char* stateAtom, bool add) {
#ifdef PLIMSET_HAVE_XCB
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
#else
    Q_UNUSED(window);
    Q_UNUSED(stateAtom);
    Q_UNUSED(add);
#endif
}

QMargins X11WindowServices::FrameExtents(QWidget* window) {
    if (window == nullptr) {
        return {};
    }
#ifdef PLIMSET_HAVE_XCB
    if (xcb_connection_t* c = Connection()) {
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
#endif
    const QWindow* handle = window->windowHandle();
    return handle != nullptr && handle->isVisible() ? handle->frameMargins() : QMargins();
}

qint32 MenuBarHeight(QMainWindow* window) {
    if (window == nullptr) {
        return 0;
    }
    QWidget* menu = window->menuWidget();
    if (menu == nullptr || menu->isHidden()) {
        return 0;
    }
    if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
        const QList<QAction*> actions = bar->actions();
        const bool anyVisible = std::any_of(actions.begin(), actions.end(),
                                            [](const QAction* a) { return a->isVisible(); });
        if (!anyVisible) {
            return 0;
        }
        // Before the window is laid out the bar's own height is not yet right.
        const int laidOut = window->isVisible() ? bar->height() : 0;
        return laidOut > 0 ? laidOut
                           : qMax(bar->heightForWidth(window->width()), bar->sizeHint().height());
    }
    return window->isVisible() ? menu->height() : menu->sizeHint().height();
}

Borders MeasureWindowBorders(WindowServices& services, QMainWindow* window) {
    if (window == nullptr) {
        return {};
    }
    const bool frameless = window->windowFlags().testFlag(Qt::FramelessWindowHint);
    const QMargins frame = frameless ? QMargins() : services.FrameExtents(window);
    const double tppx = TwipsPerPixelX(window->screen());
    const double tppy = TwipsPerPixelY(window->screen());
    if (frameless) {
        return MeasureBorders(QMargins(), MenuBarHeight(window), tppx, tppy,
                              FallbackFrame{0, 0, 0});
    }
    return MeasureBorders(frame, MenuBarHeight(window), tppx, tppy);
}

} // namespace plimset
