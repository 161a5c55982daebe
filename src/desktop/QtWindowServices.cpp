#include "desktop/QtWindowServices.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace plimset {

QtWindowServices::QtWindowServices(bool clientFrames, QObject* parent)
    : QObject(parent), clientFrames_(clientFrames) {}

QtWindowServices::~QtWindowServices() {
    for (auto it = wishes_.keyBegin(); it != wishes_.keyEnd(); ++it) {
        (*it)->removeEventFilter(this);
    }
}

QtWindowServices::Wishes& QtWindowServices::Watch(QWidget* window) {
    auto it = wishes_.find(window);
    if (it == wishes_.end()) {
        it = wishes_.insert(window, Wishes{});
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, [this, window] { wishes_.remove(window); });
    }
    return *it;
}

bool QtWindowServices::IsMapped(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return window->isVisible() && handle != nullptr && handle->isVisible();
}

void QtWindowServices::SetTaskbarButton(QWidget* window, bool shown) {
    // Qt offers no way to take a window off the taskbar; the wish is kept for back ends
    // that have one.
    if (window != nullptr) {
        Watch(window).taskbarButton = shown;
    }
}

void QtWindowServices::SetAlwaysOnTop(QWidget* window, bool onTop) {
    if (window == nullptr) {
        return;
    }
    Watch(window).onTop = onTop;
    // Only Qt's hint is available here; it recreates the native window.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible) {
        window->show();
    }
}

void QtWindowServices::SetMinimizeOffered(QWidget* window, bool offered) {
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

void QtWindowServices::SetUntitled(QWidget* window) {
    if (window == nullptr) {
        return;
    }
    // Qt shows the program's name in place of an empty title and the program's icon in
    // place of none; only a back end that writes the window's properties can clear them.
    Watch(window).untitled = true;
    Watch(window).taskbarButton = false;
    window->setWindowTitle(QString());
    // A frame the program draws itself would show a title bar with the program's name
    // and every button, whatever the window's hints leave out.
    if (clientFrames_)
        window->setWindowFlag(Qt::FramelessWindowHint);
}

bool QtWindowServices::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    const auto it = window != nullptr ? wishes_.constFind(window) : wishes_.constEnd();
    if (it == wishes_.constEnd()) {
        return false;
    }
    if (event->type() == QEvent::Show) {
        // Sent before the native window is mapped: the window manager reads the state
        // property as it takes the window on, and Qt merges its own states into it.
        BeforeMap(window, *it);
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

void QtWindowServices::RestoreIfMinimizeWithheld(QWidget* window) {
    const auto it = wishes_.constFind(window);
    if (it == wishes_.constEnd() || it->minimizeOffered || !window->isMinimized()) {
        return;
    }
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
}

namespace {

bool OnWayland() {
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

} // namespace

bool QtWindowServices::CanKeepOnTop() const {
    return !OnWayland();
}

bool QtWindowServices::CanPlaceWindows() const {
    return !OnWayland();
}

QMargins QtWindowServices::FrameExtents(QWidget* window) {
    const QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    if (handle == nullptr || !handle->isVisible())
        return QMargins();
    const QMargins frame = handle->frameMargins(); // in Qt's pixels
    const qreal scale = handle->devicePixelRatio();
    return QMargins(qRound(frame.left() * scale), qRound(frame.top() * scale),
                    qRound(frame.right() * scale), qRound(frame.bottom() * scale));
}

} // namespace plimset
