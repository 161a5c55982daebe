#include "core/HotkeyText.h"
#include "core/WindowVerbs.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(HotkeyText, ConvertsBothWaysAndRefusesWhatIsNoHotkey) {
    EXPECT_EQ(HotkeyCodeToText(665), "Ctrl + Shift + A");
    EXPECT_EQ(HotkeyTextToCode("Shift + Alt + 5"), 553);
    // Every combination the Options dialog can capture survives the round trip.
    for (qint16 modifiers = 1; modifiers <= 7; ++modifiers)
        for (const QChar key : QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
            const qint16 code =
                qint16(QString::number(modifiers).append(QString::number(key.unicode())).toInt());
            ASSERT_EQ(HotkeyTextToCode(HotkeyCodeToText(code)), code) << code;
        }
    // Damaged or hand-edited settings: no text, no parts, so nothing is registered.
    for (qint16 code : {0, -665, 65, 865, 6064, 697, 32767}) {
        EXPECT_EQ(HotkeyCodeToText(code), QString()) << code;
        EXPECT_FALSE(SplitHotkeyCode(code).has_value()) << code;
    }
    for (const char* text : {"A", "Ctrl + Shift + ", "Ctrl + Shift + é"})
        EXPECT_EQ(HotkeyTextToCode(QString::fromUtf8(text)), 0) << text;
    // The desktop's descriptions of a key are spelt as the dialog spells keys.
    EXPECT_EQ(DesktopKeyText("<Control><Shift>t"), "Ctrl + Shift + T");
    EXPECT_EQ(DesktopKeyText(" Super+Alt+space "), "Alt + Meta + space");
    EXPECT_EQ(DesktopKeyText("Ctrl+Shift"), "Ctrl+Shift");
}

// Toggle is what the hotkey does: the tray first, then the taskbar, else nothing.
TEST(WindowVerbs, ToggleIsTheHotkeyShowAndHideActOnlyWhereNeeded) {
    const WindowReach tray = ReachOf(1, 0, true);
    const WindowReach taskbar = ReachOf(0, 1, false);
    const WindowReach neither = ReachOf(0, 0, true);
    using enum HotkeyAction;
    const struct {
        WindowVerb verb;
        WindowReach reach;
        bool visible, minimized;
        HotkeyAction action;
    } rows[] = {
        {WindowVerb::Toggle, tray, true, false, HideToTray},
        {WindowVerb::Toggle, taskbar, true, false, Minimize},
        {WindowVerb::Toggle, taskbar, true, true, Restore},
        {WindowVerb::Toggle, neither, true, false, Nothing},
        // An icon no tray shows is no way back: the window goes to its taskbar button.
        {WindowVerb::Toggle, ReachOf(1, 0, false), true, false, Minimize},
        {WindowVerb::Show, tray, false, false, ShowFromTray},
        {WindowVerb::Show, taskbar, true, true, Restore},
        {WindowVerb::Show, tray, true, false, BringToFront},
        {WindowVerb::Hide, tray, false, false, Nothing},
        {WindowVerb::Hide, taskbar, true, false, Minimize},
        {WindowVerb::Hide, taskbar, true, true, Nothing},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseWindowVerbAction(row.verb, row.reach, row.visible, row.minimized),
                  row.action)
            << SwitchOfWindowVerb(row.verb).toStdString() << row.visible << row.minimized;

    // Verbs not carried out yet make one: two toggles are none, a toggle turns Show and
    // Hide around, and Show or Hide stands whatever came before.
    using V = WindowVerb;
    EXPECT_EQ(CombineWindowVerbs(CombineWindowVerbs(V::Toggle, V::Toggle), V::Toggle), V::Toggle);
    EXPECT_EQ(CombineWindowVerbs(V::Show, V::Toggle), V::Hide);
    EXPECT_EQ(CombineWindowVerbs(V::Toggle, V::Show), V::Show);
}

} // namespace
} // namespace plimset
