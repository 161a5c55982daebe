#include "core/WindowLayout.h"

#include <gtest/gtest.h>

using namespace plimset;

// A field of seven 7-pixel zeros, 12 pixels high, in a window with an 8-pixel frame width
// and 40 pixels of frame and menu bar height, at 96 dpi.
TEST(WindowLayout, FittedWindowAndItsControlsArePlacedToThePixel) {
    ControlSizes sizes;
    sizes.TextWidth = 49;
    sizes.TextHeight = 12;
    EXPECT_EQ(FieldSizingText(3, 8), QStringLiteral("0000")); // one more zero than it shows
    EXPECT_EQ(FittedWindowWidth(sizes, 8), 137);
    EXPECT_EQ(FittedWindowHeight(sizes, 40), 69);
    const ControlPlacement p = PlaceControls(sizes, 137, 69, 8, 40);
    EXPECT_EQ(std::tie(p.TextLeft, p.MinimizeLeft, p.ClearLeft, p.ActionLeft),
              std::tuple(40, 3, 20, 91));
    EXPECT_EQ(std::tie(p.TextTop, p.MinimizeTop, p.ActionTop), std::tuple(8, 5, 5));
    const ControlPlacement odd = PlaceControls(sizes, 138, 69, 8, 40);
    EXPECT_EQ(std::tie(odd.TextLeft, odd.MinimizeLeft, odd.ActionLeft), std::tuple(40, 3, 92));

    // A saved size below the minimum grows to it; none saved keeps the current size.
    const int minWidth = MinimumWindowWidth(sizes, 8);
    EXPECT_EQ(minWidth, 128);
    EXPECT_EQ(MinimumWindowHeight(sizes, 40), 53);
    EXPECT_EQ(StartupLength(-1, 137, minWidth), 137);
    EXPECT_EQ(StartupLength(1, 137, minWidth), 128);
    EXPECT_EQ(StartupLength(300, 137, minWidth), 300);
    EXPECT_EQ(CentredPosition(66, 137), -35); // larger than the screen: towards zero
}

TEST(WindowLayout, DesignedSizesScaleToTheNearestPixel) {
    EXPECT_EQ(Scaled(35, 1.25), 44); // 43.75
    EXPECT_EQ(Scaled(17, 1.5), 26);  // 25.5, half to even
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);
}
