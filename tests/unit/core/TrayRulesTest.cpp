#include "core/TrayRules.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

TEST(TrayRules, TipIsCutToSixtyFourBytesBetweenCharacters) {
    EXPECT_EQ(TrayTipText(QStringLiteral("12:34")), QStringLiteral("12:34"));
    const QString ascii(70, u'x');
    EXPECT_EQ(TrayTipText(ascii), ascii.left(64));
    EXPECT_EQ(TrayTipText(ascii.left(64)), ascii.left(64));

    // Two bytes each: 32 fit. With 63 bytes of ASCII before it, the 65th byte would split é.
    const QString accents(40, u'é');
    EXPECT_EQ(TrayTipText(accents), accents.left(32));
    EXPECT_EQ(TrayTipText(ascii.left(63) + u'é'), ascii.left(63));

    // Three-byte Japanese text, a four-byte character (two UTF-16 units) and a letter with
    // a combining accent are never cut inside.
    const QString japanese = QString::fromUtf8("カウントダウン").repeated(4);
    EXPECT_EQ(TrayTipText(japanese), japanese.left(21));
    const QString emoji = QString::fromUtf8("\xF0\x9F\x95\x92"); // 4 bytes
    EXPECT_EQ(TrayTipText(ascii.left(62) + emoji), ascii.left(62));
    const QString combined = QString::fromUtf8("e\xCC\x81"); // 3 bytes
    EXPECT_EQ(TrayTipText(ascii.left(62) + combined), ascii.left(62));
    EXPECT_EQ(TrayTipText(ascii.left(61) + combined + u'x'), ascii.left(61) + combined);
}

TEST(TrayRules, AMissingTrayIsToldOnceAndOnlyIfNoneCameWithinTheGrace) {
    MissingTrayNotice late;
    EXPECT_FALSE(late.Look(false, 2999, 3000));
    EXPECT_TRUE(late.Waiting());
    EXPECT_TRUE(late.Look(false, 3000, 3000));
    EXPECT_FALSE(late.Look(false, 9000, 3000));
    EXPECT_FALSE(late.Waiting());

    // A tray that showed the icon and went, even long after the start, is no news.
    MissingTrayNotice went;
    EXPECT_FALSE(went.Look(true, 100, 3000));
    EXPECT_FALSE(went.Waiting());
    EXPECT_FALSE(went.Look(false, 60000, 3000));
}

TEST(TrayRules, ReachMenuItemAndClicks) {
    // The tray is wanted but none shows the icon: the taskbar button stands in, whatever
    // TaskBar says; with neither the window cannot be minimized.
    EXPECT_TRUE(ReachOf(1, 0, false).Taskbar);
    EXPECT_FALSE(ReachOf(1, 0, true).Taskbar);
    EXPECT_FALSE(ReachOf(0, 0, true).Any());

    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Left, false), TrayClickAction::ShowWindow);
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Right, false), TrayClickAction::OpenMenu);
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Other, false), TrayClickAction::Nothing);
    for (TrayClick click : {TrayClick::Left, TrayClick::Right, TrayClick::Other})
        EXPECT_EQ(ChooseTrayClickAction(click, true), TrayClickAction::Nothing);
}

} // namespace
} // namespace plimset
