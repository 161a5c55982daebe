#include "desktop/GlobalHotkey.h"
#include "FakeGlobalHotkey.h"
#include "app/SessionHotkey.h"
#include "desktop/PortalGlobalHotkey.h"

#include <QTest>
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
              "the hotkey Ctrl + Shift + T does nothing; bind a desktop shortcut to "
              "`plimset --toggle` instead\n");

    // A damaged setting is named as such.
    testing::internal::CaptureStderr();
    EXPECT_EQ(hotkey->RegisterAppHotkey(6), HotkeyRegistration::NoKey);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plimset: the hotkey setting 6 is not a key combination; no hotkey is registered\n");
}

// Two Plimsets in one session: the hotkey is the bus name owner's; the other one registers
// nothing, says whose it is, and registers it when the name passes to it.
TEST(SessionHotkey, OnlyTheBusNameOwnerRegistersAndTheNextTakesOver) {
    auto made = std::make_unique<FakeGlobalHotkey>();
    FakeGlobalHotkey& own = *made;
    SessionHotkey hotkey(std::move(made));
    hotkey.WaitForOwner(4321);
    testing::internal::CaptureStderr();
    EXPECT_EQ(hotkey.RegisterAppHotkey(684), HotkeyRegistration::HeldElsewhere);
    hotkey.UnregisterAppHotkey(); // as the Options dialog does, which then registers another
    EXPECT_EQ(hotkey.RegisterAppHotkey(665), HotkeyRegistration::HeldElsewhere);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "plimset: the hotkey Ctrl + Shift + T belongs to the Plimset that runs already "
              "(process 4321); this one takes it over when that one ends\n"
              "plimset: the hotkey Ctrl + Shift + A belongs to the Plimset that runs already "
              "(process 4321); this one takes it over when that one ends\n");
    EXPECT_FALSE(own.calls.join(u' ').contains(u"register 6"));

    // The one before still holds the combination for a moment after its name went.
    own.held = 665;
    own.calls.clear();
    hotkey.TakeOver();
    EXPECT_EQ(own.calls, QStringList());
    own.held = 0;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !own.calls.isEmpty(); }, 5000));
    EXPECT_EQ(own.calls, QStringList{QStringLiteral("register 665")});
    EXPECT_EQ(hotkey.LastRegistration(), HotkeyRegistration::Registered);
    int presses = 0;
    QObject::connect(&hotkey, &GlobalHotkey::Pressed, [&] { ++presses; });
    emit own.Pressed();
    EXPECT_EQ(presses, 1);
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

TEST(PortalHotkey, AWaylandSessionIsNamedOrHasAWaylandDisplay) {
    EXPECT_TRUE(IsWaylandSession("wayland", ""));
    EXPECT_TRUE(IsWaylandSession("x11", "wayland-1")); // Plimset itself on XWayland
    EXPECT_FALSE(IsWaylandSession("x11", ""));
}

} // namespace
} // namespace plimset
