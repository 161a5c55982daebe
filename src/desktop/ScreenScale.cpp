#include "desktop/ScreenScale.h"

#include <QGuiApplication>
#include <QScreen>

namespace plimset {

namespace {

constexpr double kDesignDpi = 96.0;

double ScaleOfDpi(double dpi) {
    return dpi > 0.0 ? dpi / kDesignDpi : 1.0;
}

} // namespace

ScreenScale ScaleOf(const QScreen* screen) {
    if (screen == nullptr && qGuiApp != nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {ScaleOfDpi(screen->logicalDotsPerInchX()), ScaleOfDpi(screen->logicalDotsPerInchY())};
}

QRect VirtualScreenRect() {
    QRect all;
    if (qGuiApp == nullptr) {
        return all;
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        all = all.united(screen->geometry());
    }
    return all;
}

} // namespace plimset
