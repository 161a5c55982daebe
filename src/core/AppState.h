#pragma once

#include <QtGlobal>

namespace plimset {

// The timer modes, numbered as the settings file and the command line store them.
enum TimerMode : qint16 { Alarm = 1, CountDown = 2, StopWatch = 3 };

// The few values the whole program shares: the current mode and the flags that tell
// the tick to keep still while a modal dialog or the tray menu runs its own loop.
struct AppState {
    qint16 CurMode = CountDown;
    bool OptionsOpen = false;
    bool TrayMenuOpen = false;
};

} // namespace plimset
