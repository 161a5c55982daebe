#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace plimset {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultDpi = 96.0;

const QScreen* ScreenOrPrimary(const QScreen* screen) {
    if (screen == nullptr && qGuiApp != nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen;
}

double TwipsPerPixel(double dpi) {
    return kTwipsPerInch / (dpi > 0.0 ? dpi : kDefaultDpi);
}

} // namespace

double TwipsPerPixelX(const QScreen* screen) {
    screen = ScreenOrPrimary(screen);
    return TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchX() : kDefaultDpi);
}

double TwipsPerPixelY(const QScreen* screen) {
    screen = ScreenOrPrimary(screen);
    return TwipsPerPixel(screen != nullptr ? screen->logicalDotsPerInchY() : kDefaultDpi);
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
