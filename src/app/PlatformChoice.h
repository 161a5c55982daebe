#pragma once

#include <QByteArray>
#include <functional>

namespace plimset {

// The windowing platform Qt should use, decided before the application object exists.
// On a Wayland session with XWayland, the program runs as an X11 client unless the user
// chose a platform: always on top, the taskbar button, the window's position and the global
// hotkey all need X11. Returns the platform to set, or an empty array to leave Qt's choice.
// `environment` reads a variable ("" when unset).
QByteArray ChooseQtPlatform(const std::function<QByteArray(const char*)>& environment);

// Sets QT_QPA_PLATFORM from ChooseQtPlatform over the process environment, and has X11
// windows drawn without shared memory (see there).
void ApplyQtPlatformChoice();

} // namespace plimset
