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
    // X11 windows send their pixels through the socket instead of shared memory. Before
    // each paint into shared memory Qt waits for the X server to have read the last one, a
    // round trip that wakes the program a second time for a shown second whenever the
    // server answers late (a busy machine); the windows are small, so the copy costs less.
    // A user's own setting stands.
    if (qgetenv("QT_XCB_NO_MITSHM").isNull())
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace plimset
