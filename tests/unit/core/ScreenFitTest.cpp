#include "core/ScreenFit.h"

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

} // namespace
} // namespace plimset
