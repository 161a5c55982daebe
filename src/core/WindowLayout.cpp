#include "core/WindowLayout.h"

#include <cmath>
#include <limits>

namespace plimset {

namespace {

// a \ 2 as the layout uses it: the operand rounded, then halved towards zero.
qint32 Half(double a) {
    return IntegerDivide(a, 2);
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

qint32 IntegerDivide(double a, double b) {
    const qint32 divisor = RoundToInt32(b);
    if (divisor == 0)
        return 0;
    return RoundToInt32(a) / divisor; // C++ division truncates towards zero
}

qint32 WholePixels(double twips, double twipsPerPixel) {
    if (!(twipsPerPixel > 0))
        return 0;
    return RoundToInt32(std::trunc(RoundToInt32(twips) / twipsPerPixel));
}

int TwipsToPixels(double twips, double twipsPerPixel) {
    if (twipsPerPixel <= 0)
        return 0;
    return RoundToInt32(twips / twipsPerPixel);
}

QString FieldSizingText(int characters, int maxLength) {
    const int count = characters == 0 ? maxLength + 1 : characters + 1;
    return QString(qMax(count, 1), QLatin1Char('0'));
}

int FittedWindowWidthPixels(const ControlSizes& sizes, double borderWidth, TwipsPerPixel tpp) {
    qint32 w =
        RoundToInt32(sizes.MinimizeWidth + sizes.ClearWidth + sizes.ActionWidth + sizes.TextWidth);
    w = RoundToInt32(w + IntegerDivide(w, 10) + borderWidth);
    return WholePixels(w, tpp.X);
}

int FittedWindowHeightPixels(const ControlSizes& sizes, double borderHeight, TwipsPerPixel tpp) {
    const qint32 h = RoundToInt32(sizes.TextHeight + 17 * tpp.Y + borderHeight);
    return WholePixels(h, tpp.Y);
}

ControlPlacement PlaceControls(const ControlSizes& sizes, double windowWidth, double windowHeight,
                               double borderWidth, double borderHeight, TwipsPerPixel tpp) {
    ControlPlacement p;
    const double clientWidth = windowWidth - borderWidth;
    const double clientHeight = windowHeight - borderHeight;
    p.TextLeft = Half(clientWidth - sizes.TextWidth);
    p.MinimizeLeft = Half(p.TextLeft - sizes.MinimizeWidth - sizes.ClearWidth);
    // Side by side: the two picture buttons touch without covering each other.
    p.ClearLeft = RoundToInt32(p.MinimizeLeft + sizes.MinimizeWidth);
    p.ActionLeft =
        RoundToInt32(p.TextLeft + sizes.TextWidth +
                     Half(clientWidth - p.TextLeft - sizes.TextWidth - sizes.ActionWidth));
    p.MinimizeTop = RoundToInt32(Half(clientHeight - sizes.MinimizeHeight) - tpp.Y);
    p.ClearTop = RoundToInt32(Half(clientHeight - sizes.ClearHeight) - tpp.Y);
    p.TextTop = Half(clientHeight - sizes.TextHeight);
    p.ActionTop = RoundToInt32(Half(clientHeight - sizes.ActionHeight) - tpp.Y);
    return p;
}

int StartupWidthPixels(qint32 savedWidth, int currentWidthPixels, const ControlSizes& sizes,
                       double borderWidth, TwipsPerPixel tpp) {
    if (savedWidth < 1)
        return currentWidthPixels;
    const qint32 minimum = WholePixels(sizes.MinimizeWidth + sizes.ClearWidth + sizes.ActionWidth +
                                           sizes.TextWidth + borderWidth,
                                       tpp.X) +
                           2;
    return qMax(savedWidth, minimum);
}

int StartupHeightPixels(qint32 savedHeight, int currentHeightPixels, const ControlSizes& sizes,
                        double borderHeight, TwipsPerPixel tpp) {
    if (savedHeight < 1)
        return currentHeightPixels;
    const qint32 minimum = WholePixels(sizes.TextHeight + borderHeight, tpp.Y) + 1;
    return qMax(savedHeight, minimum);
}

qint32 CentredPosition(double screenLength, double windowLength) {
    return IntegerDivide(screenLength - windowLength, 2);
}

} // namespace plimset
