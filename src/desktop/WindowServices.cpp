#include "desktop/WindowServices.h"

#include "desktop/QtWindowServices.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>

#include <algorithm>

#ifdef PLIMSET_HAVE_XCB
#include "desktop/x11/X11WindowServices.h"
#endif

namespace plimset {

std::unique_ptr<WindowServices> MakeWindowServices() {
#ifdef PLIMSET_HAVE_XCB
    if (X11WindowServices::IsAvailable()) {
        return std::make_unique<X11WindowServices>();
    }
#endif
    return std::make_unique<QtWindowServices>(
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
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
    const QMargins screenFrame = frameless ? QMargins() : services.FrameExtents(window);
    const qreal scale = window->devicePixelRatioF() > 0 ? window->devicePixelRatioF() : 1;
    const auto scaled = [](const QMargins& m, qreal by) {
        return QMargins(qRound(m.left() * by), qRound(m.top() * by), qRound(m.right() * by),
                        qRound(m.bottom() * by));
    };
    Borders borders =
        frameless ? MeasureBorders(QMargins(), MenuBarHeight(window), FallbackFrame{0, 0, 0})
                  : MeasureBorders(scaled(screenFrame, 1 / scale), MenuBarHeight(window));
    borders.ScreenFrame = screenFrame.isNull() ? scaled(borders.Frame, scale) : screenFrame;
    return borders;
}

} // namespace plimset
