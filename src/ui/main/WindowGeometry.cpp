#include "ui/main/WindowGeometry.h"

#include "desktop/WindowServices.h"

#include <QMainWindow>
#include <QMenuBar>

namespace plimset {

void WindowGeometry::Measure(QMainWindow* window, WindowServices& services) {
    const Borders borders = MeasureWindowBorders(services, window);
    frame_ = borders.Frame;
    screenFrame_ = borders.ScreenFrame;
    screenPixelsPerPixel_ = window->devicePixelRatioF() > 0 ? window->devicePixelRatioF() : 1;
    borderWidth_ = borders.BorderWidth;
    borderHeight_ = borders.BorderHeight;
}

void WindowGeometry::RemeasureBorderHeight(QMainWindow* window, int clientWidthPixels) {
    int menuHeight = MenuBarHeight(window);
    const int wrapped = window->menuBar()->heightForWidth(clientWidthPixels);
    if (menuHeight > 0 && wrapped > menuHeight)
        menuHeight = wrapped;
    borderHeight_ = frame_.top() + frame_.bottom() + menuHeight;
}

int WindowGeometry::OuterWidthPixels(const QWidget* window) const {
    return window->width() + frame_.left() + frame_.right();
}

int WindowGeometry::OuterHeightPixels(const QWidget* window) const {
    return window->height() + frame_.top() + frame_.bottom();
}

void WindowGeometry::ResizeOuter(QWidget* window, int widthPixels, int heightPixels) const {
    const int w = qMax(1, widthPixels - frame_.left() - frame_.right());
    const int h = qMax(1, heightPixels - frame_.top() - frame_.bottom());
    window->resize(w, h);
}

// The client area is scaled by Qt (rounding halves up, as Qt does); the frame the window
// manager draws is not.
int WindowGeometry::OuterWidthScreenPixels(const QWidget* window) const {
    return qRound(window->width() * screenPixelsPerPixel_) + screenFrame_.left() +
           screenFrame_.right();
}

int WindowGeometry::OuterHeightScreenPixels(const QWidget* window) const {
    return qRound(window->height() * screenPixelsPerPixel_) + screenFrame_.top() +
           screenFrame_.bottom();
}

void WindowGeometry::ResizeOuterScreenPixels(QWidget* window, int widthPixels,
                                             int heightPixels) const {
    ResizeOuter(window, OuterWidthFromScreen(widthPixels), OuterHeightFromScreen(heightPixels));
}

int WindowGeometry::OuterWidthFromScreen(int screenPixels) const {
    const int client = screenPixels - screenFrame_.left() - screenFrame_.right();
    return qRound(client / screenPixelsPerPixel_) + frame_.left() + frame_.right();
}

int WindowGeometry::OuterHeightFromScreen(int screenPixels) const {
    const int client = screenPixels - screenFrame_.top() - screenFrame_.bottom();
    return qRound(client / screenPixelsPerPixel_) + frame_.top() + frame_.bottom();
}

QPoint WindowGeometry::OuterTopLeft(const QWidget* window) const {
    return window->geometry().topLeft() - QPoint(frame_.left(), frame_.top());
}

void WindowGeometry::MoveOuterTo(QWidget* window, QPoint topLeft) const {
    window->move(topLeft + QPoint(frame_.left(), frame_.top()));
}

} // namespace plimset
