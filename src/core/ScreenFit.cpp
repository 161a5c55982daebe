#include "core/ScreenFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plimset {

namespace {

constexpr double kVisiblePixels = 50.0;

// Rounds to whole twips, keeping the result inside the 32-bit range; not-a-number gives 0.
qint32 WholeTwips(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lo = std::numeric_limits<qint32>::min();
    constexpr double hi = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(std::round(std::clamp(value, lo, hi)));
}

// One axis: start and end of the virtual screen, the window's extent and its position.
qint32 FitAxis(double start, double end, double extent, double pixel, qint32 position) {
    if (!std::isfinite(extent)) {
        extent = 0;
    }
    double result = position;
    if (start - extent + kVisiblePixels * pixel >= result) {
        result = start; // less than 50 pixels would show before the start
    }
    if (end - kVisiblePixels * pixel <= result) {
        result = end - extent; // less than 50 pixels would show before the end
    }
    return WholeTwips(result);
}

// The start of a length that begins at `start` pulled into [low, high - length]; a length
// longer than the room starts at low.
int Within(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

void KeepOnScreen(double width, double height, WindowPosition& position,
                  const QRect& virtualScreenPx, double tppx, double tppy) {
    if (virtualScreenPx.isEmpty()) {
        return;
    }
    const double x0 = virtualScreenPx.x() * tppx;
    const double y0 = virtualScreenPx.y() * tppy;
    const double x1 = x0 + virtualScreenPx.width() * tppx;
    const double y1 = y0 + virtualScreenPx.height() * tppy;
    position.Left = FitAxis(x0, x1, width, tppx, position.Left);
    position.Top = FitAxis(y0, y1, height, tppy, position.Top);
}

QPoint PlaceBeside(const QRect& centred, const QRect& other, const QRect& screen,
                   const QRect& keepClear, int gap) {
    if (other.isEmpty() || screen.isEmpty() || !centred.intersects(other))
        return centred.topLeft();
    const int w = centred.width();
    const int h = centred.height();
    const int alongX = other.left() + (other.width() - w) / 2;
    const int alongY = other.top() + (other.height() - h) / 2;
    const QPoint sides[] = {
        {alongX, other.top() + other.height() + gap}, // below
        {alongX, other.top() - gap - h},              // above
        {other.left() + other.width() + gap, alongY}, // right
        {other.left() - gap - w, alongY},             // left
    };
    const auto onScreen = [&](QPoint p) {
        return QPoint(Within(p.x(), w, screen.left(), screen.left() + screen.width()),
                      Within(p.y(), h, screen.top(), screen.top() + screen.height()));
    };
    for (int i = 0; i < 4; ++i) {
        const QPoint p = onScreen(sides[i]);
        // Pulled along its side only: the side has room.
        const bool vertical = i < 2;
        if (vertical ? p.y() == sides[i].y() : p.x() == sides[i].x())
            return p;
    }
    for (const QPoint side : sides) {
        const QPoint p = onScreen(side);
        if (!QRect(p, centred.size()).intersects(keepClear))
            return p;
    }
    return onScreen(sides[0]);
}

WindowPosition AsideFromWindows(WindowPosition position, const std::vector<WindowPosition>& others,
                                WindowPosition step) {
    const auto near = [&](const WindowPosition& other) {
        return 2 * std::abs(qint64(other.Left) - position.Left) < std::abs(qint64(step.Left)) &&
               2 * std::abs(qint64(other.Top) - position.Top) < std::abs(qint64(step.Top));
    };
    // Each step passes at most one window, so there are never more steps than windows.
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (std::none_of(others.begin(), others.end(), near))
            break;
        position.Left += step.Left;
        position.Top += step.Top;
    }
    return position;
}

} // namespace plimset
