#include "app/PlatformChoice.h"

#include <QHash>
#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(ChooseQtPlatform, WaylandWithXWaylandRunsAsAnX11ClientUnlessTheUserChose) {
    // The user's choice stands, without an X server Wayland is all there is, and a plain
    // X11 session is left to Qt.
    using Env = QHash<QByteArray, QByteArray>;
    for (const auto& [env, chosen] :
         {std::pair{Env{{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}}, "xcb"},
          {Env{{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}, "xcb"},
          {Env{{"WAYLAND_DISPLAY", "w"}, {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, ""},
          {Env{{"WAYLAND_DISPLAY", "wayland-0"}}, ""},
          {Env{{"DISPLAY", ":0"}, {"XDG_SESSION_TYPE", "x11"}}, ""}})
        EXPECT_EQ(ChooseQtPlatform([&](const char* name) { return env.value(name); }), chosen)
            << env.keys().join(' ').toStdString();
}

} // namespace
} // namespace plimset
