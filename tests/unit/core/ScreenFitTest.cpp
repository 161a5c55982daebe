#include "core/ScreenFit.h"
#include "core/WindowBorders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace plimset {
namespace {

constexpr double kTpp = 15.0; // 96 DPI
const QRect kSingle(0, 0, 1024, 768);

WindowPosition Fit(double width, double height, qint32 left, qint32 top,
                   const QRect& screen = kSingle, double tpp = kTpp) {
    WindowPosition p{left, top};
    KeepOnScreen(width, height, p, screen, tpp, tpp);
    return p;
}

// A 3000 x 2000 twip window on a 1024 x 768 screen of 15 twips a pixel: at least 50 pixels
// (750 twips) must show, else it is put against the edge it went past.
TEST(KeepOnScreen, PullsBackAWindowShowingFiftyPixelsOrLess) {
    constexpr qint32 right = 1024 * 15 - 3000, bottom = 768 * 15 - 2000;
    const struct {
        qint32 left, top, fittedLeft, fittedTop;
    } cases[] = {
        {1500, 1200, 1500, 1200},                             // fully visible
        {1000000, 500000, right, bottom},                     // far off the far edges
        {-1000000, -500000, 0, 0},                            // far off the near edges
        {-3000 + 750, -2000 + 750, 0, 0},                     // exactly 50 pixels show
        {-3000 + 751, -2000 + 751, -3000 + 751, -2000 + 751}, // one twip more: stays
        {1024 * 15 - 750, 768 * 15 - 750, right, bottom},
        {1024 * 15 - 751, 768 * 15 - 751, 1024 * 15 - 751, 768 * 15 - 751},
    };
    for (const auto& c : cases) {
        const WindowPosition p = Fit(3000, 2000, c.left, c.top);
        EXPECT_EQ(p.Left, c.fittedLeft) << c.left;
        EXPECT_EQ(p.Top, c.fittedTop) << c.top;
    }
}

TEST(KeepOnScreen, UsesTheUnionOfAllScreens) {
    // A taller second monitor to the right; one to the left of and above the primary.
    const QRect right = QRect(0, 0, 1920, 1080).united(QRect(1920, 0, 1280, 1024));
    const QRect left = QRect(0, 0, 1920, 1080).united(QRect(-1280, -200, 1280, 1024));
    EXPECT_EQ(Fit(3000, 2000, 2500 * 15, 900 * 15, right).Top, 900 * 15);
    EXPECT_EQ(Fit(3000, 2000, 4000 * 15, 0, right).Left, 3200 * 15 - 3000);
    EXPECT_EQ(Fit(3000, 2000, -1000 * 15, -100 * 15, left).Left, -1000 * 15);
    const WindowPosition far = Fit(3000, 2000, -100000, -100000, left);
    EXPECT_EQ(std::pair(far.Left, far.Top), std::pair(-1280 * 15, -200 * 15));
}

TEST(KeepOnScreen, RoundsToWholeTwipsAtOddResolutions) {
    const double tpp = 1440.0 / 110.0; // 13.0909...
    const WindowPosition p = Fit(3000.4, 2000, 1000000, 0, kSingle, tpp);
    EXPECT_EQ(p.Left, std::lround(1024 * tpp - 3000.4));
}

TEST(KeepOnScreen, SurvivesNonsenseInput) {
    // No screen known: the stored position is kept rather than thrown off screen.
    EXPECT_EQ(Fit(3000, 2000, 1500, 1200, QRect()).Left, 1500);
    // Extreme positions and sizes stay inside the 32-bit range.
    const qint32 big = std::numeric_limits<qint32>::max();
    const WindowPosition p = Fit(-1e12, std::nan(""), big, big);
    EXPECT_GE(p.Left, std::numeric_limits<qint32>::min());
    EXPECT_EQ(p.Top, 768 * 15);
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
    const WindowPosition step{480, 480};
    const auto aside = [&](std::vector<WindowPosition> others) {
        const WindowPosition p = AsideFromWindows({6000, 4500}, others, step);
        return std::pair(p.Left, p.Top);
    };
    EXPECT_EQ(aside({}), std::pair(6000, 4500));
    EXPECT_EQ(aside({{6000 + 239, 4500 - 239}}), std::pair(6480, 4980)); // within half a step
    EXPECT_EQ(aside({{6000 + 240, 4500}}), std::pair(6000, 4500));
    // A third window passes both that opened before it, whatever order they are listed in.
    EXPECT_EQ(aside({{6480, 4980}, {6000, 4500}}), std::pair(6960, 5460));
    EXPECT_EQ(aside({{6000, 4500}, {6000, 4500}}), std::pair(6480, 4980));
}

TEST(MeasureBorders, UsesTheRealFrameElseTypicalMetrics) {
    const Borders b = MeasureBorders(QMargins(1, 22, 1, 5), 20, 15, 15);
    EXPECT_EQ(b.BorderWidth, 2 * 15);
    EXPECT_EQ(b.BorderHeight, (22 + 5 + 20) * 15);
    // Unknown frame: two side borders; two borders, caption and menu bar: 4, 4, 23, 20 pixels.
    const Borders withMenu = MeasureBorders(QMargins(), 20, 15, 15);
    EXPECT_EQ(withMenu.BorderWidth, 8 * 15);
    EXPECT_EQ(withMenu.BorderHeight, (8 + 23 + 20) * 15);
}

} // namespace
} // namespace plimset
