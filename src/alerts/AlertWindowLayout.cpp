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

AlertLines AlertLinesFor(const OptionSettings& o, TimerMode mode, qint16 languageOffset) {
    const bool japanese = languageOffset == JapaneseOffset;
    if (mode == TimerMode::Alarm) {
        return japanese ? AlertLines{o.MessageBoxTextA1_J, o.MessageBoxTextA2_J}
                        : AlertLines{o.MessageBoxTextA1_E, o.MessageBoxTextA2_E};
    }
    if (mode == TimerMode::CountDown) {
        return japanese ? AlertLines{o.MessageBoxTextC1_J, o.MessageBoxTextC2_J}
                        : AlertLines{o.MessageBoxTextC1_E, o.MessageBoxTextC2_E};
    }
    return {};
}

} // namespace plimset
