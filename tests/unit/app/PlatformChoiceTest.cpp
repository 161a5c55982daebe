#include "app/PlatformChoice.h"

#include <QHash>
#include <gtest/gtest.h>

namespace plimset {
namespace {

QByteArray Choose(const QHash<QByteArray, QByteArray>& env) {
    return ChooseQtPlatform([&](const char* name) { return env.value(name); });
}

TEST(ChooseQtPlatform, WaylandWithXWaylandRunsAsAnX11ClientUnlessTheUserChose) {
    EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}), "xcb");
    EXPECT_EQ(Choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}), "xcb");
    // The user's choice stands, and without an X server Wayland is all there is.
    EXPECT_EQ(
        Choose(
            {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}),
        "");
    EXPECT_EQ(Choose({{"WAYLAND_DISPLAY", "wayland-0"}}), "");
    // A plain X11 session is left to Qt.
    EXPECT_EQ(Choose({{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}), "");
}

} // namespace
} // namespace plimset
