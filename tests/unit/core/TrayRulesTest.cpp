#include "core/TrayRules.h"

#include <gtest/gtest.h>

namespace plimset {
namespace {

// 64 bytes at most, never cut inside a character: two-byte é, a four-byte character (two
// UTF-16 units) and a letter with a combining accent.
TEST(TrayRules, TipIsCutToSixtyFourBytesBetweenCharacters) {
    const QString ascii(70, u'x');
    EXPECT_EQ(TrayTipText(ascii), ascii.left(64));
    EXPECT_EQ(TrayTipText(QString(40, u'é')), QString(32, u'é'));
    EXPECT_EQ(TrayTipText(ascii.left(63) + u'é'), ascii.left(63));
    EXPECT_EQ(TrayTipText(ascii.left(62) + QString::fromUtf8("\xF0\x9F\x95\x92")), ascii.left(62));
    const QString combined = QString::fromUtf8("e\xCC\x81");
    EXPECT_EQ(TrayTipText(ascii.left(62) + combined), ascii.left(62));
}

TEST(TrayRules, AMissingTrayIsToldOnceAndOnlyIfNoneCameWithinTheGrace) {
    MissingTrayNotice late;
    EXPECT_FALSE(late.Look(false, 2999, 3000));
    EXPECT_TRUE(late.Look(false, 3000, 3000));
    EXPECT_FALSE(late.Look(false, 9000, 3000));
    // A tray that showed the icon and went, even long after the start, is no news.
    MissingTrayNotice went;
    EXPECT_FALSE(went.Look(true, 100, 3000));
    EXPECT_FALSE(went.Look(false, 60000, 3000));
}

TEST(TrayRules, ClicksShowOrOpenTheMenuExceptWhileADialogIsOpen) {
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Left, false), TrayClickAction::ShowWindow);
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Right, false), TrayClickAction::OpenMenu);
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Other, false), TrayClickAction::Nothing);
    EXPECT_EQ(ChooseTrayClickAction(TrayClick::Right, true), TrayClickAction::Nothing);
}

} // namespace
} // namespace plimset
