#include "app/PlatformChoice.h"

#include <QtGlobal>

namespace plimset {

QByteArray ChooseQtPlatform(const std::function<QByteArray(const char*)>& environment) {
    if (!environment("QT_QPA_PLATFORM").isEmpty())
        return {};
    const bool wayland =
        !environment("WAYLAND_DISPLAY").isEmpty() || environment("XDG_SESSION_TYPE") == "wayland";
    // Without an X server to reach, Wayland's own platform is the only one there is.
    if (!wayland || environment("DISPLAY").isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void ApplyQtPlatformChoice() {
    const QByteArray platform = ChooseQtPlatform([](const char* name) { return qgetenv(name); });
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace plimset
