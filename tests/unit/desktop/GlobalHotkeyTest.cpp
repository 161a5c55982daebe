#include "desktop/GlobalHotkey.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

// Off X11 (here the offscreen platform, as on a Wayland display) there is no global hotkey:
// nothing fails, and a set hotkey is said to do nothing, once.
TEST(GlobalHotkey, OffX11AHotkeyIsUnavailableAndSaidOnce) {
    const std::unique_ptr<GlobalHotkey> hotkey = CreateGlobalHotkey();
    ASSERT_NE(dynamic_cast<NoGlobalHotkey*>(hotkey.get()), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_EQ(hotkey->RegisterAppHotkey(0), HotkeyRegistration::None);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    testing::internal::CaptureStderr();
    EXPECT_EQ(hotkey->RegisterAppHotkey(684), HotkeyRegistration::Unavailable);
    hotkey->UnregisterAppHotkey();
    EXPECT_EQ(hotkey->RegisterAppHotkey(684), HotkeyRegistration::Unavailable);
    EXPECT_EQ(hotkey->ProbeHotkey(684), HotkeyRegistration::Unavailable);
    EXPECT_EQ(hotkey->LastRegistration(), HotkeyRegistration::Unavailable);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plimset: global hotkeys are not available on this display (they need X11); "
              "the hotkey Ctrl + Shift + T does nothing\n");

    // A damaged setting is named as such.
    testing::internal::CaptureStderr();
    EXPECT_EQ(hotkey->RegisterAppHotkey(6), HotkeyRegistration::NoKey);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plimset: the hotkey setting 6 is not a key combination; no hotkey is registered\n");
}

} // namespace
} // namespace plimset
