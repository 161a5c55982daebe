#include "core/WindowBorders.h"

#include <cmath>

namespace plimset {

Borders MeasureBorders(const QMargins& framePx, qint32 menuBarPx, double tppx, double tppy,
                       const FallbackFrame& fallback) {
    QMargins frame = framePx;
    if (frame.isNull()) {
        frame = QMargins(fallback.SideBorder, fallback.TopBottomBorder + fallback.TitleBar,
                         fallback.SideBorder, fallback.TopBottomBorder);
    }
    const double w = frame.left() + frame.right();
    const double h = frame.top() + frame.bottom() + qMax<qint32>(menuBarPx, 0);
    return Borders{static_cast<qint32>(std::lround(w * tppx)),
                   static_cast<qint32>(std::lround(h * tppy)), frame, frame};
}

} // namespace plimset
