#include "core/ScreenFit.h"
#include "core/TrayRules.h"
#include "core/WindowLayout.h"

#include <gtest/gtest.h>

#include <limits>

namespace plimset {
namespace {

const QRect kSingle(0, 0, 1024, 768);

// A 200 x 133 window: more than 50 pixels must show, else it is put against the edge it
// went past.
TEST(KeepOnScreen, PullsBackAWindowShowingFiftyPixelsOrLess) {
    constexpr int right = 1024 - 200, bottom = 768 - 133;
    const int big = std::numeric_limits<int>::max();
    const struct {
        QPoint place, fitted;
    } cases[] = {
        {{100, 80}, {100, 80}},
        {{big, -big}, {right, 0}},                        // no overflow
        {{-200 + 50, -133 + 50}, {0, 0}},                 // exactly 50 pixels show
        {{-200 + 51, -133 + 51}, {-200 + 51, -133 + 51}}, // one pixel more: stays
        {{1024 - 50, 768 - 50}, {right, bottom}},
        {{1024 - 51, 768 - 51}, {1024 - 51, 768 - 51}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnScreen(c.place, {200, 133}, kSingle), c.fitted) << c.place.x();
    // The union of all screens counts; with no screen known the position is kept.
    const QRect left = QRect(0, 0, 1920, 1080).united(QRect(-1280, -200, 1280, 1024));
    EXPECT_EQ(KeepOnScreen({-1000, -100}, {200, 133}, left), QPoint(-1000, -100));
    EXPECT_EQ(KeepOnScreen({100, 80}, {200, 133}, QRect()), QPoint(100, 80));
}

// A 201 x 80 window centred on the screen, placed 8 pixels beside a window it would cover.
TEST(PlaceBeside, CentredUnlessItCoversTheOtherWindowThenBesideItWholeOnTheScreen) {
    const QRect centred(411, 344, 201, 80);
    const QRect button(900, 370, 35, 17); // at the right of a maximized window
    const struct {
        const char* what;
        QRect other;
        QPoint place;
    } cases[] = {
        {"apart", {0, 0, 180, 100}, {411, 344}},
        {"below", {422, 334, 180, 100}, {412, 442}},
        {"above: no room below", {300, 300, 400, 460}, {399, 212}},
        {"right: none below or above", {300, 20, 400, 740}, {708, 350}},
        {"no room: off the button", {0, 0, 1024, 768}, {411, 688}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(centred, c.other, kSingle, button, 8), c.place) << c.what;
}

TEST(AsideFromWindows, StepsPastEachWindowAtItsPlaceAndNoFurther) {
    const auto aside = [](std::vector<QPoint> others) {
        return AsideFromWindows({400, 300}, others, {32, 32});
    };
    EXPECT_EQ(aside({{400 + 15, 300 - 15}}), QPoint(432, 332)); // within half a step
    EXPECT_EQ(aside({{400 + 16, 300}}), QPoint(400, 300));
    EXPECT_EQ(aside({{432, 332}, {400, 300}}), QPoint(464, 364)); // in any order
}

// A field of seven 7-pixel zeros, 12 pixels high, in a window with an 8-pixel frame width
// and 40 pixels of frame and menu bar height, at 96 dpi.
TEST(WindowLayout, FittedWindowAndItsControlsArePlacedToThePixel) {
    ControlSizes sizes;
    sizes.TextWidth = 49;
    sizes.TextHeight = 12;
    EXPECT_EQ(FieldSizingText(3, 8), QStringLiteral("0000")); // one more zero than it shows
    EXPECT_EQ(std::tuple(FittedWindowWidth(sizes, 8), FittedWindowHeight(sizes, 40),
                         MinimumWindowWidth(sizes, 8), MinimumWindowHeight(sizes, 40)),
              std::tuple(137, 69, 128, 53));
    const ControlPlacement p = PlaceControls(sizes, 137, 69, 8, 40);
    EXPECT_EQ(std::tie(p.TextLeft, p.MinimizeLeft, p.ClearLeft, p.ActionLeft, p.TextTop,
                       p.MinimizeTop, p.ActionTop),
              std::tuple(40, 3, 20, 91, 8, 5, 5));
    const ControlPlacement odd = PlaceControls(sizes, 138, 69, 8, 40);
    EXPECT_EQ(std::tie(odd.TextLeft, odd.MinimizeLeft, odd.ActionLeft), std::tuple(40, 3, 92));
    // A saved size below the minimum grows to it; none saved keeps the current size.
    EXPECT_EQ(std::tuple(StartupLength(-1, 137, 128), StartupLength(1, 137, 128),
                         StartupLength(300, 137, 128)),
              std::tuple(137, 128, 300));
    EXPECT_EQ(CentredPosition(66, 137), -35); // larger than the screen: towards zero
    // Designed sizes scale to the nearest pixel, half to even.
    EXPECT_EQ(std::tuple(Scaled(35, 1.25), Scaled(17, 1.5), RoundToInt32(1e12)),
              std::tuple(44, 26, 2147483647));
}

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
