#pragma once

#include "core/WindowLayout.h"

#include <QMargins>

class QMainWindow;
class QWidget;

namespace plimset {

class WindowServices;

// The main window's measures: the screen's twips per pixel, the frame the window manager
// draws and the non-client size in twips (frame plus menu bar). It converts between the
// outer window that the layout arithmetic and the settings speak of and the client
// geometry that Qt moves and resizes.
class WindowGeometry {
public:
    void SetTwipsPerPixel(TwipsPerPixel tpp) { tpp_ = tpp; }
    TwipsPerPixel Tpp() const { return tpp_; }
    const QMargins& Frame() const { return frame_; }
    double BorderWidth() const { return borderWidth_; }
    double BorderHeight() const { return borderHeight_; }

    // Takes the frame and the menu bar's height as the window has them now.
    void Measure(QMainWindow* window, WindowServices& services);
    // The menu bar may need another line when the window is narrow.
    void RemeasureBorderHeight(QMainWindow* window, int clientWidthPixels);

    // The outer size is counted in pixels, not converted back from twips, so a
    // twips-per-pixel factor that is not a whole number cannot make a saved size creep.
    int OuterWidthPixels(const QWidget* window) const;
    int OuterHeightPixels(const QWidget* window) const;
    double OuterWidthTwips(const QWidget* window) const;
    double OuterHeightTwips(const QWidget* window) const;
    void ResizeOuter(QWidget* window, int widthPixels, int heightPixels) const;

    // The outer window's position, from the client area's position and the measured frame.
    // Qt places a window that was never shown by its client area and reports a shown one by
    // its frame; going through the client area and one frame for both placing and saving
    // keeps the stored position from creeping by a frame on every run.
    qint32 OuterLeftTwips(const QWidget* window) const;
    qint32 OuterTopTwips(const QWidget* window) const;
    void MoveOuterTo(QWidget* window, qint32 leftTwips, qint32 topTwips) const;

private:
    TwipsPerPixel tpp_;
    QMargins frame_;          // pixels
    double borderWidth_ = 0;  // twips
    double borderHeight_ = 0; // twips
};

} // namespace plimset
