#pragma once

#include "core/AppState.h"

#include <QString>
#include <array>
#include <optional>

namespace plimset {

// The settings file numbers the modes 1 Alarm, 2 CountDown, 3 StopWatch: StartForm holds
// one, and ModeOrder's digits list them.
int TimerModeCode(TimerMode mode);
// Nothing for a number outside 1 to 3.
std::optional<TimerMode> TimerModeOfCode(int code);

// The Mode menu's modes from top to bottom, as ModeOrder's digits give them. A place whose
// digit is missing or names no mode keeps the default order's mode (CountDown, Alarm,
// StopWatch); a mode may appear twice.
std::array<TimerMode, 3> ModeMenuOrder(const QString& modeOrder);

} // namespace plimset
