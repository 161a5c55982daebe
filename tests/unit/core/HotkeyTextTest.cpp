#include "core/HotkeyText.h"
#include "core/WindowVerbs.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(HotkeyText, ConvertsBothWays) {
    const struct {
        qint16 code;
        const char* text;
    } rows[] = {{665, "Ctrl + Shift + A"},
                {553, "Shift + Alt + 5"},
                {348, "Ctrl + Alt + 0"},
                {790, "Ctrl + Shift + Alt + Z"},
                {184, "Alt + T"}};
    for (const auto& row : rows) {
        EXPECT_EQ(HotkeyCodeToText(row.code), QLatin1String(row.text)) << row.code;
        EXPECT_EQ(HotkeyTextToCode(QLatin1String(row.text)), row.code) << row.text;
    }
    // Every combination the Options dialog can capture survives the round trip.
    for (qint16 modifiers = 1; modifiers <= 7; ++modifiers)
        for (const QChar key : QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) {
            const qint16 code =
                qint16(QString::number(modifiers).append(QString::number(key.unicode())).toInt());
            ASSERT_EQ(HotkeyTextToCode(HotkeyCodeToText(code)), code) << code;
        }
}

TEST(HotkeyText, DesktopsDescriptionsAreSpeltAsTheDialogSpellsKeys) {
    const struct {
        const char* description;
        const char* text;
    } rows[] = {{"Ctrl+Shift+T", "Ctrl + Shift + T"},
                {"<Control><Shift>t", "Ctrl + Shift + T"},
                {" Shift + Ctrl + t ", "Ctrl + Shift + T"},
                {"Alt+Primary+5", "Ctrl + Alt + 5"},
                {"Meta+F1", "Meta + F1"},
                {"Super+Alt+space", "Alt + Meta + space"},
                {"", ""},
                {"Ctrl+Shift", "Ctrl+Shift"}};
    for (const auto& row : rows)
        EXPECT_EQ(DesktopKeyText(QString::fromUtf8(row.description)), QLatin1String(row.text))
            << row.description;
}

TEST(HotkeyText, NumbersAndTextsThatAreNoHotkeyGiveNone) {
    // Damaged or hand-edited settings: no text, no parts, so nothing is registered.
    for (qint16 code : {0, -665, 6, 65, 665 - 600, 865, 964, 6064, 697, 6100, 32767}) {
        EXPECT_EQ(HotkeyCodeToText(code), QString()) << code;
        EXPECT_FALSE(SplitHotkeyCode(code).has_value()) << code;
    }
    const std::optional<HotkeyParts> parts = SplitHotkeyCode(790);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->Modifiers, HotkeyCtrl + HotkeyShift + HotkeyAlt);
    EXPECT_EQ(parts->Key, u'Z');

    EXPECT_EQ(HotkeyTextToCode(QString()), 0);
    EXPECT_EQ(HotkeyTextToCode(QStringLiteral("A")), 0);                // no modifier
    EXPECT_EQ(HotkeyTextToCode(QStringLiteral("Ctrl + Shift + ")), 0);  // no key yet
    EXPECT_EQ(HotkeyTextToCode(QStringLiteral("Ctrl + Shift + é")), 0); // not a key we grab
    EXPECT_EQ(HotkeyTextToCode(QStringLiteral("Ctrl + Shift + a")), 665);
}

TEST(HotkeyAction, TrayThenTaskbarThenNothing) {
    const WindowReach tray = ReachOf(1, 0, true);
    EXPECT_EQ(ChooseHotkeyAction(tray, true, false), HotkeyAction::HideToTray);
    EXPECT_EQ(ChooseHotkeyAction(tray, false, false), HotkeyAction::ShowFromTray);
    EXPECT_EQ(ChooseHotkeyAction(ReachOf(1, 1, true), true, false), HotkeyAction::HideToTray);

    const WindowReach taskbar = ReachOf(0, 1, false);
    EXPECT_EQ(ChooseHotkeyAction(taskbar, true, false), HotkeyAction::Minimize);
    EXPECT_EQ(ChooseHotkeyAction(taskbar, true, true), HotkeyAction::Restore);
    EXPECT_EQ(ChooseHotkeyAction(taskbar, false, false), HotkeyAction::Restore);

    EXPECT_EQ(ChooseHotkeyAction(ReachOf(0, 0, true), true, false), HotkeyAction::Nothing);
    // An icon no tray shows is no way back: the window is minimized to its taskbar button.
    EXPECT_EQ(ChooseHotkeyAction(ReachOf(1, 0, false), true, false), HotkeyAction::Minimize);
}

TEST(WindowVerbs, ToggleIsTheHotkeyShowAndHideActOnlyWhereNeeded) {
    const WindowReach tray = ReachOf(1, 0, true);
    const WindowReach taskbar = ReachOf(0, 1, false);
    const WindowReach neither = ReachOf(0, 0, false);
    const struct {
        WindowVerb verb;
        WindowReach reach;
        bool visible, minimized;
        HotkeyAction action;
    } rows[] = {
        {WindowVerb::Toggle, tray, true, false, HotkeyAction::HideToTray},
        {WindowVerb::Toggle, taskbar, true, true, HotkeyAction::Restore},
        {WindowVerb::Toggle, neither, true, false, HotkeyAction::Nothing},
        {WindowVerb::Show, tray, false, false, HotkeyAction::ShowFromTray},
        {WindowVerb::Show, taskbar, true, true, HotkeyAction::Restore},
        {WindowVerb::Show, taskbar, false, false, HotkeyAction::Restore},
        {WindowVerb::Show, tray, true, false, HotkeyAction::BringToFront},
        {WindowVerb::Show, neither, true, false, HotkeyAction::BringToFront},
        {WindowVerb::Hide, tray, true, false, HotkeyAction::HideToTray},
        {WindowVerb::Hide, tray, false, false, HotkeyAction::Nothing},
        {WindowVerb::Hide, taskbar, true, false, HotkeyAction::Minimize},
        {WindowVerb::Hide, taskbar, true, true, HotkeyAction::Nothing},
        {WindowVerb::Hide, neither, true, false, HotkeyAction::Nothing},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseWindowVerbAction(row.verb, row.reach, row.visible, row.minimized),
                  row.action)
            << SwitchOfWindowVerb(row.verb).toStdString() << " visible " << row.visible
            << " minimized " << row.minimized;
    for (WindowVerb verb : {WindowVerb::Toggle, WindowVerb::Show, WindowVerb::Hide})
        EXPECT_EQ(WindowVerbOfSwitch(SwitchOfWindowVerb(verb)), verb);
    EXPECT_FALSE(WindowVerbOfSwitch(QStringLiteral("toggle")).has_value());

    // Verbs not carried out yet make one: two toggles are none, a toggle turns Show and
    // Hide around, and Show or Hide stands whatever came before.
    using V = WindowVerb;
    std::optional<V> pending;
    for (V verb : {V::Toggle, V::Toggle, V::Toggle})
        pending = CombineWindowVerbs(pending, verb);
    EXPECT_EQ(pending, V::Toggle);
    EXPECT_EQ(CombineWindowVerbs(V::Show, V::Toggle), V::Hide);
    EXPECT_EQ(CombineWindowVerbs(V::Hide, V::Toggle), V::Show);
    EXPECT_EQ(CombineWindowVerbs(V::Toggle, V::Show), V::Show);
    EXPECT_EQ(CombineWindowVerbs(V::Show, V::Hide), V::Hide);
}

} // namespace
} // namespace plimset
