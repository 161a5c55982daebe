#include "core/WindowLayout.h"

#include <gtest/gtest.h>

using namespace plimset;

namespace {

// A field of seven 7-pixel zeros, 12 pixels high, in a window with an 8-pixel frame width
// and 40 pixels of frame and menu bar height, at 96 dpi.
ControlSizes SampleSizes() {
    ControlSizes s;
    s.TextWidth = 49;
    s.TextHeight = 12;
    return s;
}
constexpr int BorderWidth = 8;
constexpr int BorderHeight = 40;

} // namespace

TEST(WindowLayout, DesignedSizesScaleToTheNearestPixel) {
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);
    EXPECT_EQ(Scaled(35, 1), 35);
    EXPECT_EQ(Scaled(35, 1.25), 44); // 43.75
    EXPECT_EQ(Scaled(17, 1.5), 26);  // 25.5, half to even
    EXPECT_EQ(Scaled(17, 110 / 96.0), 19);
}

TEST(WindowLayout, FieldIsSizedForOneMoreZeroThanItShows) {
    EXPECT_EQ(FieldSizingText(0, 5), QStringLiteral("000000"));
    EXPECT_EQ(FieldSizingText(0, 8), QStringLiteral("000000000"));
    EXPECT_EQ(FieldSizingText(3, 8), QStringLiteral("0000"));
}

TEST(WindowLayout, FittedWindowHasTenPercentSpareAndSeventeenPixelsOfHeight) {
    // 17 + 17 + 35 + 49 = 118; + 11 + 8.
    EXPECT_EQ(FittedWindowWidth(SampleSizes(), BorderWidth), 137);
    EXPECT_EQ(FittedWindowHeight(SampleSizes(), BorderHeight), 69); // 12 + 17 + 40
}

TEST(WindowLayout, ControlsAreCentredAndTheSmallButtonsSideBySide) {
    const ControlPlacement p = PlaceControls(SampleSizes(), 137, 69, BorderWidth, BorderHeight);
    // Client area 129 x 29.
    EXPECT_EQ(p.TextLeft, 40);
    EXPECT_EQ(p.MinimizeLeft, 3);
    EXPECT_EQ(p.ClearLeft, 3 + 17);
    EXPECT_EQ(p.ActionLeft, 40 + 49 + 2); // (129 - 89 - 35) / 2 = 2.5, the half towards the field
    EXPECT_EQ(p.TextTop, 8);
    EXPECT_EQ(p.MinimizeTop, 5);
    EXPECT_EQ(p.ActionTop, 5);

    // An odd room keeps the field's half pixel for the buttons beside it: the field at
    // 40.5 puts the small buttons at (40.5 - 34) / 2 = 3.25 and the action button at
    // 89.5 + (130 - 89.5 - 35) / 2 = 92.25.
    const ControlPlacement odd = PlaceControls(SampleSizes(), 138, 69, BorderWidth, BorderHeight);
    EXPECT_EQ(odd.TextLeft, 40);
    EXPECT_EQ(odd.MinimizeLeft, 3);
    EXPECT_EQ(odd.ActionLeft, 92);

    // A window narrower than its field puts the buttons at negative offsets, not garbage.
    const ControlPlacement narrow = PlaceControls(SampleSizes(), 40, 40, 8, 40);
    EXPECT_EQ(narrow.TextLeft, -8); // (32 - 49) / 2 = -8.5, towards zero
    EXPECT_LT(narrow.MinimizeLeft, 0);
}

TEST(WindowLayout, StartupSizeKeepsTheSavedSizeAboveTheMinimum) {
    const int minWidth = MinimumWindowWidth(SampleSizes(), BorderWidth);
    const int minHeight = MinimumWindowHeight(SampleSizes(), BorderHeight);
    EXPECT_EQ(minWidth, 128); // 118 + 8 + 2
    EXPECT_EQ(minHeight, 53); // 12 + 40 + 1
    // Never stored: the current size stays.
    EXPECT_EQ(StartupLength(-1, 137, minWidth), 137);
    EXPECT_EQ(StartupLength(0, 69, minHeight), 69);
    EXPECT_EQ(StartupLength(1, 137, minWidth), 128);
    EXPECT_EQ(StartupLength(300, 137, minWidth), 300);
}

TEST(WindowLayout, CentredOnTheScreen) {
    EXPECT_EQ(CentredPosition(1024, 137), 443);
    EXPECT_EQ(CentredPosition(66, 137), -35); // larger than the screen: towards zero
}
