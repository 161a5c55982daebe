#include "core/ScreenFit.h"

#include <algorithm>
#include <cstdlib>

namespace plimset {

namespace {

constexpr int kVisiblePixels = 50;

// One axis: where the window starts, pulled back so that more than 50 pixels show between
// the screen's start and end. The sums are 64-bit, as a far-off position may be near the
// 32-bit range.
int FitAxis(qint64 start, qint64 end, qint64 extent, qint64 position) {
    if (start - extent + kVisiblePixels >= position)
        position = start;
    if (end - kVisiblePixels <= position)
        position = end - extent;
    return static_cast<int>(position);
}

// The start of a length that begins at `start` pulled into [low, high - length]; a length
// longer than the room starts at low.
int Within(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

QPoint KeepOnScreen(QPoint position, QSize size, const QRect& virtualScreen) {
    if (virtualScreen.isEmpty())
        return position;
    return {FitAxis(virtualScreen.left(), qint64(virtualScreen.left()) + virtualScreen.width(),
                    size.width(), position.x()),
            FitAxis(virtualScreen.top(), qint64(virtualScreen.top()) + virtualScreen.height(),
                    size.height(), position.y())};
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

QPoint AsideFromWindows(QPoint position, const std::vector<QPoint>& others, QPoint step) {
    const auto near = [&](const QPoint& other) {
        return 2 * std::abs(qint64(other.x()) - position.x()) < std::abs(qint64(step.x())) &&
               2 * std::abs(qint64(other.y()) - position.y()) < std::abs(qint64(step.y()));
    };
    // Each step passes at most one window, so there are never more steps than windows.
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (std::none_of(others.begin(), others.end(), near))
            break;
        position += step;
    }
    return position;
}

} // namespace plimset
