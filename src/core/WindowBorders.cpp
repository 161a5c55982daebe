#include "core/WindowBorders.h"

namespace plimset {

Borders MeasureBorders(const QMargins& framePx, qint32 menuBarPx, const FallbackFrame& fallback) {
    QMargins frame = framePx;
    if (frame.isNull()) {
        frame = QMargins(fallback.SideBorder, fallback.TopBottomBorder + fallback.TitleBar,
                         fallback.SideBorder, fallback.TopBottomBorder);
    }
    return Borders{frame.left() + frame.right(),
                   frame.top() + frame.bottom() + qMax<qint32>(menuBarPx, 0), frame, frame};
}

} // namespace plimset
