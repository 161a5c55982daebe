#pragma once

#include "core/WindowLayout.h"

#include <QMargins>
#include <QPoint>

class QMainWindow;
class QWidget;

namespace plimset {

class WindowServices;

// The main window's measures: the screen's scale, the frame the window manager draws and
// the non-client size (frame plus menu bar). It converts between the outer window that the
// layout arithmetic and the settings speak of and the client geometry that Qt moves and
// resizes.
class WindowGeometry {
public:
    void SetScale(ScreenScale scale) { scale_ = scale; }
    ScreenScale Scale() const { return scale_; }
    const QMargins& Frame() const { return frame_; }
    int BorderWidth() const { return borderWidth_; }
    int BorderHeight() const { return borderHeight_; }

    // Takes the frame and the menu bar's height as the window has them now.
    void Measure(QMainWindow* window, WindowServices& services);
    // The menu bar may need another line when the window is narrow.
    void RemeasureBorderHeight(QMainWindow* window, int clientWidthPixels);

    // The outer size in Qt's pixels, in which the layout is done; on a scaled screen (a
    // DPI above 96 makes Qt scale) each is more than one pixel of the screen.
    int OuterWidthPixels(const QWidget* window) const;
    int OuterHeightPixels(const QWidget* window) const;
    void ResizeOuter(QWidget* window, int widthPixels, int heightPixels) const;

    // The outer size in the screen's own pixels, as the user sees and gives it (the
    // Options dialog, the saved Width and Height).
    int OuterWidthScreenPixels(const QWidget* window) const;
    int OuterHeightScreenPixels(const QWidget* window) const;
    void ResizeOuterScreenPixels(QWidget* window, int widthPixels, int heightPixels) const;
    // An outer size in the screen's pixels in Qt's pixels, to the nearest.
    int OuterWidthFromScreen(int screenPixels) const;
    int OuterHeightFromScreen(int screenPixels) const;

    // The outer window's position, from the client area's position and the measured frame.
    // Qt places a window that was never shown by its client area and reports a shown one by
    // its frame; going through the client area and one frame for both placing and saving
    // keeps the stored position from creeping by a frame on every run.
    QPoint OuterTopLeft(const QWidget* window) const;
    void MoveOuterTo(QWidget* window, QPoint topLeft) const;

private:
    ScreenScale scale_;
    double screenPixelsPerPixel_ = 1; // the window's device pixel ratio
    QMargins frame_;
    QMargins screenFrame_; // the screen's pixels
    int borderWidth_ = 0;
    int borderHeight_ = 0;
};

} // namespace plimset
