#include "alerts/AlertWindowLayout.h"

#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "text/StringTable.h"

#include <cmath>

namespace plimset {

namespace {

constexpr double clientWidth = 3015;
constexpr double clientHeight = 1170;
constexpr TwipRect designFrame{120, 60, 2775, 975};
constexpr TwipRect designFirstLine{120, 270, 2535, 255};
constexpr TwipRect designSecondLine{120, 540, 2535, 375};
constexpr TwipRect designSingleLine{120, 420, 2535, 255};
constexpr double designPointSize = 9;

} // namespace

AlertWindowLayout AlertWindowLayoutFor(float messageBoxSize, double nonClientWidth,
                                       double nonClientHeight) {
    AlertWindowLayout l;
    l.width = clientWidth + nonClientWidth;
    l.height = clientHeight + nonClientHeight;
    l.frame = designFrame;
    l.firstLine = designFirstLine;
    l.secondLine = designSecondLine;
    l.singleLine = designSingleLine;
    l.labelPointSize = designPointSize;
    if (messageBoxSize == 1.0f || !(messageBoxSize > 0.0f) || !std::isfinite(messageBoxSize)) {
        return l;
    }
    const double s = std::sqrt(static_cast<double>(messageBoxSize));
    l.width *= s;
    l.height *= s;
    l.frame.width *= s;
    l.frame.height *= s;
    l.frame.left = (l.width - l.frame.width - designFrame.left * 0.75) / 2;
    l.frame.top = (l.height - l.frame.height - designFrame.top * 3) / 2;
    for (TwipRect* label : {&l.firstLine, &l.secondLine, &l.singleLine}) {
        label->width *= s;
        label->height *= s;
        label->left = (l.frame.width - label->width) / 2;
    }
    l.labelPointSize = designPointSize * s;
    const double h = l.frame.height;
    l.firstLine.top = (h - l.firstLine.height * 0.5) / 3;
    l.secondLine.top = 2 * (h - l.secondLine.height * 0.5) / 3;
    l.singleLine.top = (h - l.singleLine.height * 0.5) / 2;
    return l;
}

long CentredOrigin(double screenTwips, double windowTwips) {
    return std::lround(screenTwips - windowTwips) / 2;
}

AlertLines AlertLinesFor(const OptionSettings& o, qint16 mode, qint16 languageOffset) {
    const bool japanese = languageOffset == JapaneseOffset;
    if (mode == Alarm) {
        return japanese ? AlertLines{o.japaneseAlarmText1, o.japaneseAlarmText2}
                        : AlertLines{o.englishAlarmText1, o.englishAlarmText2};
    }
    if (mode == CountDown) {
        return japanese ? AlertLines{o.japaneseCountDownText1, o.japaneseCountDownText2}
                        : AlertLines{o.englishCountDownText1, o.englishCountDownText2};
    }
    return {};
}

} // namespace plimset
