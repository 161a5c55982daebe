#include "core/WindowLayout.h"

#include <cmath>
#include <limits>

namespace plimset {

namespace {

// The nearest whole pixel, a half going towards `anchor`, what a control is centred
// against: a spare pixel of centring stays on the far side.
int Nearest(double value, double anchor = 0) {
    return RoundToInt32(value >= anchor ? std::ceil(value - 0.5) : std::floor(value + 0.5));
}

} // namespace

qint32 RoundToInt32(double value) {
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value); // the default mode rounds half to even
    if (r >= static_cast<double>(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (r <= static_cast<double>(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(r);
}

int Scaled(double designedPixels, double scale) {
    return RoundToInt32(designedPixels * scale);
}

QString FieldSizingText(int characters, int maxLength) {
    const int count = characters == 0 ? maxLength + 1 : characters + 1;
    return QString(qMax(count, 1), QLatin1Char('0'));
}

int FittedWindowWidth(const ControlSizes& sizes, int borderWidth) {
    const int controls =
        sizes.MinimizeWidth + sizes.ClearWidth + sizes.ActionWidth + sizes.TextWidth;
    return controls + controls / 10 + borderWidth;
}

int FittedWindowHeight(const ControlSizes& sizes, int borderHeight) {
    return sizes.TextHeight + 17 + borderHeight;
}

ControlPlacement PlaceControls(const ControlSizes& sizes, int windowWidth, int windowHeight,
                               int borderWidth, int borderHeight) {
    ControlPlacement p;
    const int clientWidth = windowWidth - borderWidth;
    const int clientHeight = windowHeight - borderHeight;
    // The field's exact centre, halves kept, places the buttons either side of it.
    const double textLeft = (clientWidth - sizes.TextWidth) / 2.0;
    const double textRight = textLeft + sizes.TextWidth;
    p.TextLeft = Nearest(textLeft);
    p.MinimizeLeft = Nearest((textLeft - sizes.MinimizeWidth - sizes.ClearWidth) / 2);
    // Side by side: the two picture buttons touch without covering each other.
    p.ClearLeft = p.MinimizeLeft + sizes.MinimizeWidth;
    p.ActionLeft =
        Nearest(textRight + (clientWidth - textRight - sizes.ActionWidth) / 2, textRight);
    p.TextTop = Nearest((clientHeight - sizes.TextHeight) / 2.0);
    p.MinimizeTop = Nearest((clientHeight - sizes.MinimizeHeight) / 2.0) - 1;
    p.ClearTop = Nearest((clientHeight - sizes.ClearHeight) / 2.0) - 1;
    p.ActionTop = Nearest((clientHeight - sizes.ActionHeight) / 2.0) - 1;
    return p;
}

int MinimumWindowWidth(const ControlSizes& sizes, int borderWidth) {
    return sizes.MinimizeWidth + sizes.ClearWidth + sizes.ActionWidth + sizes.TextWidth +
           borderWidth + 2;
}

int MinimumWindowHeight(const ControlSizes& sizes, int borderHeight) {
    return sizes.TextHeight + borderHeight + 1;
}

int StartupLength(qint32 saved, int current, int minimum) {
    return saved < 1 ? current : qMax(saved, minimum);
}

int CentredPosition(int screenLength, int windowLength) {
    return (screenLength - windowLength) / 2; // a window longer than the screen: towards zero
}

} // namespace plimset
