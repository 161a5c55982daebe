#include "core/ScreenFit.h"
#include "core/WindowBorders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(KeepOnScreen, LeavesAVisibleWindowAlone) {
    const WindowPosition p = Fit(3000, 2000, 1500, 1200);
    EXPECT_EQ(p.Left, 1500);
    EXPECT_EQ(p.Top, 1200);
}

TEST(KeepOnScreen, FarOffTheFarEdgesPutsTheWindowAgainstThem) {
    const WindowPosition p = Fit(3000, 2000, 1000000, 500000);
    EXPECT_EQ(p.Left, 1024 * 15 - 3000);
    EXPECT_EQ(p.Top, 768 * 15 - 2000);
    const WindowPosition q = Fit(3000, 2000, -1000000, -500000);
    EXPECT_EQ(q.Left, 0);
    EXPECT_EQ(q.Top, 0);
}

TEST(KeepOnScreen, FiftyPixelsIsTheLeastThatMayShow) {
    // Exactly 50 pixels showing at the left or top: pulled fully on.
    EXPECT_EQ(Fit(3000, 2000, -3000 + 750, 0).Left, 0);
    EXPECT_EQ(Fit(3000, 2000, 0, -2000 + 750).Top, 0);
    // One twip more showing: stays.
    EXPECT_EQ(Fit(3000, 2000, -3000 + 751, 0).Left, -3000 + 751);
    // Exactly 50 pixels showing at the right or bottom: pulled back against the edge.
    EXPECT_EQ(Fit(3000, 2000, 1024 * 15 - 750, 0).Left, 1024 * 15 - 3000);
    EXPECT_EQ(Fit(3000, 2000, 0, 768 * 15 - 750).Top, 768 * 15 - 2000);
    EXPECT_EQ(Fit(3000, 2000, 1024 * 15 - 751, 0).Left, 1024 * 15 - 751);
}

TEST(KeepOnScreen, UsesTheUnionOfAllScreens) {
    // A second monitor to the right, taller than the first.
    const QRect both = QRect(0, 0, 1920, 1080).united(QRect(1920, 0, 1280, 1024));
    const WindowPosition onSecond = Fit(3000, 2000, 2500 * 15, 900 * 15, both);
    EXPECT_EQ(onSecond.Left, 2500 * 15);
    EXPECT_EQ(onSecond.Top, 900 * 15);
    EXPECT_EQ(Fit(3000, 2000, 4000 * 15, 0, both).Left, 3200 * 15 - 3000);
}

TEST(KeepOnScreen, HandlesScreensLeftOfAndAboveThePrimary) {
    const QRect both = QRect(0, 0, 1920, 1080).united(QRect(-1280, -200, 1280, 1024));
    const WindowPosition onLeft = Fit(3000, 2000, -1000 * 15, -100 * 15, both);
    EXPECT_EQ(onLeft.Left, -1000 * 15);
    EXPECT_EQ(onLeft.Top, -100 * 15);
    const WindowPosition far = Fit(3000, 2000, -100000, -100000, both);
    EXPECT_EQ(far.Left, -1280 * 15);
    EXPECT_EQ(far.Top, -200 * 15);
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

TEST(MeasureBorders, UsesTheRealFrameAndAddsTheMenuBar) {
    const Borders b = MeasureBorders(QMargins(1, 22, 1, 5), 20, 15, 15);
    EXPECT_EQ(b.BorderWidth, 2 * 15);
    EXPECT_EQ(b.BorderHeight, (22 + 5 + 20) * 15);
}

TEST(MeasureBorders, FallsBackToTypicalMetricsWhenTheFrameIsUnknown) {
    // Two side borders; two borders, caption and menu bar: 4, 4, 23 and 20 pixels.
    const Borders withMenu = MeasureBorders(QMargins(), 20, 15, 15);
    EXPECT_EQ(withMenu.BorderWidth, 8 * 15);
    EXPECT_EQ(withMenu.BorderHeight, (8 + 23 + 20) * 15);
    const Borders noMenu = MeasureBorders(QMargins(), 0, 12, 12);
    EXPECT_EQ(noMenu.BorderHeight, (8 + 23) * 12);
}

} // namespace
} // namespace plimset
