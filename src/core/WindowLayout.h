#pragma once

#include <QString>
#include <QtGlobal>

namespace plimset {

// The main window's layout arithmetic, in pixels. The window is designed at 96 DPI; a
// screen of another logical DPI scales the designed lengths by its ScreenScale. Halves
// are resolved the same way on every start, so the window comes out the same size, to
// the pixel, each time.

// A screen's logical DPI over 96 on each axis: 1 at 96 DPI, 1.25 at 120 DPI.
struct ScreenScale {
    double X = 1;
    double Y = 1;
};

// Rounds half to even, keeping the result inside the 32-bit range; not-a-number gives 0.
qint32 RoundToInt32(double value);
// A length designed in pixels at 96 DPI on a screen of this scale, to the nearest pixel.
int Scaled(double designedPixels, double scale);

// The controls' sizes in pixels; as made, the design's at 96 DPI.
struct ControlSizes {
    int MinimizeWidth = 17;
    int MinimizeHeight = 17;
    int ClearWidth = 17;
    int ClearHeight = 17;
    int ActionWidth = 35;
    int ActionHeight = 17;
    int TextWidth = 42;
    int TextHeight = 18;
};

// The text the time field is sized for: one more zero than it shows, so there is spare
// room for the caret. characters 0 means the field's character limit.
QString FieldSizingText(int characters, int maxLength);

// The window width that fits the field, the buttons and about 10 % spare; borderWidth is
// what the window's frame adds.
int FittedWindowWidth(const ControlSizes& sizes, int borderWidth);
// The window height that fits the field with 17 pixels to spare; borderHeight is what the
// frame and the menu bar add.
int FittedWindowHeight(const ControlSizes& sizes, int borderHeight);

// Where the controls go inside the client area (pixels from its top-left corner).
struct ControlPlacement {
    int TextLeft = 0;
    int TextTop = 0;
    int MinimizeLeft = 0;
    int MinimizeTop = 0;
    int ClearLeft = 0;
    int ClearTop = 0;
    int ActionLeft = 0;
    int ActionTop = 0;
};

// Centres the field in the client area and the buttons in the space either side of it;
// the buttons stand a pixel above the field's centre line. windowWidth and windowHeight
// are the outer size, borderWidth and borderHeight the non-client size.
ControlPlacement PlaceControls(const ControlSizes& sizes, int windowWidth, int windowHeight,
                               int borderWidth, int borderHeight);

// The smallest outer size that shows the controls.
int MinimumWindowWidth(const ControlSizes& sizes, int borderWidth);
int MinimumWindowHeight(const ControlSizes& sizes, int borderHeight);

// The window size at start-up from the saved size. A saved size below 1 means "never
// stored": the current size stays. Otherwise the saved size, but never smaller than the
// minimum.
int StartupLength(qint32 saved, int current, int minimum);

// Where a window of this length stands centred on a screen of this length (one axis),
// from the screen's start; a window longer than the screen starts before it.
int CentredPosition(int screenLength, int windowLength);

} // namespace plimset
