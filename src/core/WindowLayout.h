#pragma once

#include <QString>
#include <QtGlobal>

namespace plimset {

// The main window's layout arithmetic. Lengths are twips (1/1440 inch) unless a name says
// pixels; a pixel is the screen's twips-per-pixel factor. Rounding is half to even and
// integer division rounds both operands first and truncates towards zero, so the
// window comes out the same size, to the pixel, on every start.

struct TwipsPerPixel {
    double X = 15.0;
    double Y = 15.0;
};

qint32 RoundToInt32(double value);
// a \ b: both operands rounded to integers, the quotient truncated towards zero.
// A divisor that rounds to 0 gives 0.
qint32 IntegerDivide(double a, double b);
// A length in twips as whole pixels, truncated: the length rounded to whole twips, divided
// by the exact factor. Where the factor is a whole number (15 at 96 dpi, 12 at 120 dpi) this
// is the integer division above; at a DPI such as 192 (7.5) or 110 it keeps the true size
// instead of dividing by a rounded factor.
qint32 WholePixels(double twips, double twipsPerPixel);
// A length in twips as the nearest whole pixels, for placing a widget.
int TwipsToPixels(double twips, double twipsPerPixel);

// The controls' sizes, in twips; the buttons keep their designed sizes.
struct ControlSizes {
    double MinimizeWidth = 255;
    double MinimizeHeight = 255;
    double ClearWidth = 255;
    double ClearHeight = 255;
    double ActionWidth = 525;
    double ActionHeight = 255;
    double TextWidth = 630;
    double TextHeight = 270;
};

// The text the time field is sized for: one more zero than it shows, so there is spare
// room for the caret. characters 0 means the field's character limit.
QString FieldSizingText(int characters, int maxLength);

// The window width, in pixels, that fits the field, the buttons and about 10 % spare.
int FittedWindowWidthPixels(const ControlSizes& sizes, double borderWidth, TwipsPerPixel tpp);
// The window height, in pixels, that fits the field with 17 pixels to spare.
int FittedWindowHeightPixels(const ControlSizes& sizes, double borderHeight, TwipsPerPixel tpp);

// Where the controls go inside the client area (twips from its top-left corner).
struct ControlPlacement {
    qint32 TextLeft = 0;
    qint32 TextTop = 0;
    qint32 MinimizeLeft = 0;
    qint32 MinimizeTop = 0;
    qint32 ClearLeft = 0;
    qint32 ClearTop = 0;
    qint32 ActionLeft = 0;
    qint32 ActionTop = 0;
};

// Centres the field in the client area and the buttons in the space either side of it;
// the two small buttons overlap by one pixel. windowWidth and windowHeight are the outer
// size, borderWidth and borderHeight the non-client size.
ControlPlacement PlaceControls(const ControlSizes& sizes, double windowWidth, double windowHeight,
                               double borderWidth, double borderHeight, TwipsPerPixel tpp);

// The window size at start-up from the saved size in pixels. A saved size below 1 means
// "never stored": the current size stays. Otherwise the saved size, but never smaller
// than what the controls need.
int StartupWidthPixels(qint32 savedWidth, int currentWidthPixels, const ControlSizes& sizes,
                       double borderWidth, TwipsPerPixel tpp);
int StartupHeightPixels(qint32 savedHeight, int currentHeightPixels, const ControlSizes& sizes,
                        double borderHeight, TwipsPerPixel tpp);

// Where a window of this size stands centred on a screen of this size (one axis).
qint32 CentredPosition(double screenLength, double windowLength);

} // namespace plimset
