#pragma once

#include "core/AppState.h"

#include <QString>

namespace plimset {

struct OptionSettings;

// A control's place in twips; fractions stay, as the scaling leaves them.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The alert window's layout in twips: the window's size, the frame inside it, the labels
// inside the frame (a message of two lines uses the first and second, one of a single line
// the single-line label between them) and the labels' font size.
struct AlertWindowLayout {
    double width = 0;
    double height = 0;
    TwipRect frame;
    TwipRect firstLine;
    TwipRect secondLine;
    TwipRect singleLine;
    double labelPointSize = 0;
};

// The designed layout scaled so that the window's area grows by messageBoxSize: every
// length by its square root, the frame and labels centred again. nonClientWidth and
// nonClientHeight (twips) are what the window's frame adds to the designed client area
// of 3015 x 1170. A size of exactly 1 keeps the design; sizes that are not positive
// numbers count as 1.
AlertWindowLayout AlertWindowLayoutFor(float messageBoxSize, double nonClientWidth = 0,
                                       double nonClientHeight = 0);

// The left (or top) in twips that centres a window of this width (height) on a screen
// of this width (height): the difference rounded to whole twips, then halved, dropping
// any remainder.
long CentredOrigin(double screenTwips, double windowTwips);

// The two message lines for a mode (none for the stopwatch) in the
// language of the offset (17 Japanese, else English).
struct AlertLines {
    QString line1;
    QString line2;
};
AlertLines AlertLinesFor(const OptionSettings& options, TimerMode mode, qint16 languageOffset);

} // namespace plimset
