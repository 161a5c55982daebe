#include "core/ScreenFit.h"
#include "core/WindowBorders.h"

#include <gtest/gtest.h>

#include <limits>

namespace plimset {
namespace {

const QRect kSingle(0, 0, 1024, 768);

// A 200 x 133 window on a 1024 x 768 screen: at least 50 pixels must show, else it is put
// against the edge it went past.
TEST(KeepOnScreen, PullsBackAWindowShowingFiftyPixelsOrLess) {
    constexpr int right = 1024 - 200, bottom = 768 - 133;
    const struct {
        QPoint place, fitted;
    } cases[] = {
        {{100, 80}, {100, 80}},                           // fully visible
        {{70000, 40000}, {right, bottom}},                // far off the far edges
        {{-70000, -40000}, {0, 0}},                       // far off the near edges
        {{-200 + 50, -133 + 50}, {0, 0}},                 // exactly 50 pixels show
        {{-200 + 51, -133 + 51}, {-200 + 51, -133 + 51}}, // one pixel more: stays
        {{1024 - 50, 768 - 50}, {right, bottom}},
        {{1024 - 51, 768 - 51}, {1024 - 51, 768 - 51}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnScreen(c.place, {200, 133}, kSingle), c.fitted) << c.place.x();
}

TEST(KeepOnScreen, UsesTheUnionOfAllScreensAndNothingWithoutOne) {
    // A taller second monitor to the right; one to the left of and above the primary.
    const QRect right = QRect(0, 0, 1920, 1080).united(QRect(1920, 0, 1280, 1024));
    const QRect left = QRect(0, 0, 1920, 1080).united(QRect(-1280, -200, 1280, 1024));
    const QSize size(200, 133);
    EXPECT_EQ(KeepOnScreen({2500, 900}, size, right), QPoint(2500, 900));
    EXPECT_EQ(KeepOnScreen({4000, 0}, size, right), QPoint(3200 - 200, 0));
    EXPECT_EQ(KeepOnScreen({-1000, -100}, size, left), QPoint(-1000, -100));
    EXPECT_EQ(KeepOnScreen({-7000, -7000}, size, left), QPoint(-1280, -200));
    // No screen known: the stored position is kept rather than thrown off screen.
    EXPECT_EQ(KeepOnScreen({100, 80}, size, QRect()), QPoint(100, 80));
    // Extreme positions do not overflow.
    const int big = std::numeric_limits<int>::max();
    EXPECT_EQ(KeepOnScreen({big, -big}, size, kSingle), QPoint(1024 - 200, 0));
}

// A 201 x 80 window centred on a 1024 x 768 screen, placed 8 pixels beside a window it
// would cover.
TEST(PlaceBeside, CentredUnlessItCoversTheOtherWindowThenBesideItWholeOnTheScreen) {
    const QRect centred(411, 344, 201, 80);
    const QRect button(900, 370, 35, 17); // at the right of a maximized window
    const struct {
        const char* what;
        QRect other;
        QRect keepClear;
        QPoint place;
    } cases[] = {
        {"no other window", QRect(), button, {411, 344}},
        {"apart", {0, 0, 180, 100}, button, {411, 344}},
        {"below", {422, 334, 180, 100}, button, {412, 442}},
        {"above: no room below", {300, 300, 400, 460}, button, {399, 212}},
        {"right: none below or above", {300, 20, 400, 740}, button, {708, 350}},
        {"left: none elsewhere", {220, 20, 800, 740}, button, {11, 350}},
        {"pulled along its side onto the screen", {-400, 330, 900, 100}, button, {0, 438}},
        {"no room: off the button", {0, 0, 1024, 768}, button, {411, 688}},
        {"no room: off a button at the bottom", {0, 0, 1024, 768}, {400, 700, 100, 20}, {411, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceBeside(centred, c.other, kSingle, c.keepClear, 8), c.place) << c.what;
}

TEST(AsideFromWindows, StepsPastEachWindowAtItsPlaceAndNoFurther) {
    const QPoint step{32, 32};
    const auto aside = [&](std::vector<QPoint> others) {
        return AsideFromWindows({400, 300}, others, step);
    };
    EXPECT_EQ(aside({}), QPoint(400, 300));
    EXPECT_EQ(aside({{400 + 15, 300 - 15}}), QPoint(432, 332)); // within half a step
    EXPECT_EQ(aside({{400 + 16, 300}}), QPoint(400, 300));
    // A third window passes both that opened before it, whatever order they are listed in.
    EXPECT_EQ(aside({{432, 332}, {400, 300}}), QPoint(464, 364));
    EXPECT_EQ(aside({{400, 300}, {400, 300}}), QPoint(432, 332));
}

TEST(MeasureBorders, UsesTheRealFrameElseTypicalMetrics) {
    const Borders b = MeasureBorders(QMargins(1, 22, 1, 5), 20);
    EXPECT_EQ(b.BorderWidth, 2);
    EXPECT_EQ(b.BorderHeight, 22 + 5 + 20);
    // Unknown frame: two side borders; two borders, caption and menu bar: 4, 4, 23, 20 pixels.
    const Borders withMenu = MeasureBorders(QMargins(), 20);
    EXPECT_EQ(withMenu.BorderWidth, 8);
    EXPECT_EQ(withMenu.BorderHeight, 8 + 23 + 20);
}

} // namespace
} // namespace plimset
