#include "alerts/AlertWindowLayout.h"

#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "settings/OptionTable.h"

#include <cmath>

namespace plimset {

namespace {

constexpr QSizeF designSize{201, 78};
constexpr QRectF designFrame{8, 4, 185, 65};
constexpr QRectF designFirstLine{8, 18, 169, 17};
constexpr QRectF designSecondLine{8, 36, 169, 25};
constexpr QRectF designSingleLine{8, 28, 169, 17};
constexpr double designPointSize = 9;

int ScaledLength(double designed, double scale) {
    return static_cast<int>(std::lround(designed * scale));
}

} // namespace

AlertWindowLayout AlertWindowLayoutFor(float sizeFactor) {
    AlertWindowLayout l{designSize,       designFrame,      designFirstLine,
                        designSecondLine, designSingleLine, designPointSize};
    if (sizeFactor == 1.0f || !(sizeFactor > 0.0f) || !std::isfinite(sizeFactor)) {
        return l;
    }
    const double s = std::sqrt(static_cast<double>(sizeFactor));
    l.size *= s;
    const QSizeF frame = designFrame.size() * s;
    l.frame = QRectF((l.size.width() - frame.width() - designFrame.left() * 0.75) / 2,
                     (l.size.height() - frame.height() - designFrame.top() * 3) / 2, frame.width(),
                     frame.height());
    // Each label centred across the frame, the lines at a third, two thirds and half of
    // its height.
    const auto label = [&](const QRectF& designed, int parts, int of) {
        const QSizeF size = designed.size() * s;
        return QRectF((frame.width() - size.width()) / 2,
                      parts * (frame.height() - size.height() * 0.5) / of, size.width(),
                      size.height());
    };
    l.firstLine = label(designFirstLine, 1, 3);
    l.secondLine = label(designSecondLine, 2, 3);
    l.singleLine = label(designSingleLine, 1, 2);
    l.labelPointSize = designPointSize * s;
    return l;
}

QRect ScaledRect(const QRectF& designed, ScreenScale scale) {
    return QRect(ScaledLength(designed.left(), scale.X), ScaledLength(designed.top(), scale.Y),
                 ScaledLength(designed.width(), scale.X), ScaledLength(designed.height(), scale.Y));
}

AlertLines AlertLinesFor(const OptionSettings& o, TimerMode mode, InterfaceLanguage language) {
    const bool japanese = language == InterfaceLanguage::Japanese;
    const auto english = [](const QString& line1, const QString& line2) {
        return AlertLines{ShownEnglishAlertText(line1), ShownEnglishAlertText(line2)};
    };
    if (mode == TimerMode::Alarm) {
        return japanese ? AlertLines{o.japaneseAlarmText1, o.japaneseAlarmText2}
                        : english(o.englishAlarmText1, o.englishAlarmText2);
    }
    if (mode == TimerMode::CountDown) {
        return japanese ? AlertLines{o.japaneseCountDownText1, o.japaneseCountDownText2}
                        : english(o.englishCountDownText1, o.englishCountDownText2);
    }
    return {};
}

} // namespace plimset
