#include "settings/TimerModeCodes.h"

namespace plimset {

int TimerModeCode(TimerMode mode) {
    return static_cast<int>(mode) + 1;
}

std::optional<TimerMode> TimerModeOfCode(int code) {
    if (code < 1 || code > 3) {
        return std::nullopt;
    }
    return static_cast<TimerMode>(code - 1);
}

std::array<TimerMode, 3> ModeMenuOrder(const QString& modeOrder) {
    std::array<TimerMode, 3> order{TimerMode::CountDown, TimerMode::Alarm, TimerMode::StopWatch};
    for (qsizetype k = 0; k < std::ssize(order) && k < modeOrder.size(); ++k) {
        if (const std::optional<TimerMode> mode = TimerModeOfCode(modeOrder[k].digitValue())) {
            order[k] = *mode;
        }
    }
    return order;
}

} // namespace plimset
