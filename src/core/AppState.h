#pragma once

namespace plimset {

// The timer's modes, in the order the settings file numbers them.
enum class TimerMode { Alarm, CountDown, StopWatch };

// The few values the whole program shares: the current mode and the flags that tell
// the tick to keep still while a modal dialog or the tray menu runs its own loop.
struct AppState {
    TimerMode mode = TimerMode::CountDown;
    bool optionsOpen = false;
    bool trayMenuOpen = false;
};

} // namespace plimset
