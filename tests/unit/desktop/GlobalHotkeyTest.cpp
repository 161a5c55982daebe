#include "desktop/GlobalHotkey.h"
#include "desktop/PortalGlobalHotkey.h"

#include <functional>
#include <gtest/gtest.h>

namespace plimset {
namespace {

// What `act` says on standard error.
std::string Said(const std::function<void()>& act) {
    testing::internal::CaptureStderr();
    act();
    return testing::internal::GetCapturedStderr();
}

// Off X11 (here the offscreen platform, as on a Wayland display) there is no global hotkey:
// nothing fails, and a set hotkey is said to do nothing, once; a damaged one is named so.
TEST(GlobalHotkey, OffX11AHotkeyIsUnavailableAndSaidOnce) {
    const std::unique_ptr<GlobalHotkey> hotkey = CreateGlobalHotkey();
    ASSERT_NE(dynamic_cast<NoGlobalHotkey*>(hotkey.get()), nullptr);
    EXPECT_EQ(Said([&] { EXPECT_EQ(hotkey->RegisterAppHotkey(0), HotkeyRegistration::None); }), "");
    EXPECT_EQ(Said([&] {
                  for (int i = 0; i < 2; ++i)
                      EXPECT_EQ(hotkey->RegisterAppHotkey(684), HotkeyRegistration::Unavailable);
                  EXPECT_EQ(hotkey->ProbeHotkey(684), HotkeyRegistration::Unavailable);
              }),
              "plimset: global hotkeys are not available on this display (they need X11); "
              "the hotkey Ctrl + Shift + T does nothing; bind a desktop shortcut to "
              "`plimset --toggle` instead\n");
    EXPECT_EQ(Said([&] { EXPECT_EQ(hotkey->RegisterAppHotkey(6), HotkeyRegistration::NoKey); }),
              "plimset: the hotkey setting 6 is not a key combination; no hotkey is registered\n");
}

TEST(PortalHotkey, TheTriggerAskedForIsTheStoredCombination) {
    // Asked for as stored; a damaged setting, or one without a modifier digit, asks for
    // nothing.
    for (const auto& [code, trigger] : {std::pair{684, "CTRL+SHIFT+t"},
                                        {790, "CTRL+SHIFT+ALT+z"},
                                        {553, "SHIFT+ALT+5"},
                                        {0, ""},
                                        {6, ""},
                                        {891, ""}})
        EXPECT_EQ(PortalTriggerOf(qint16(code)), trigger) << code;
}

TEST(PortalHotkey, ADesktopsDescriptionOfTheBoundKeyIsComparedWordForWord) {
    for (const char* same : {"Ctrl+Shift+T", "Shift + Ctrl + T", "<Control><Shift>t"})
        EXPECT_TRUE(TriggerDescribesHotkey(same, 684)) << same;
    for (const char* other : {"Ctrl+T", "Ctrl+Shift+Alt+T", "Meta+Shift+T", ""})
        EXPECT_FALSE(TriggerDescribesHotkey(other, 684)) << other;
}

} // namespace
} // namespace plimset
