#include "core/WindowLayout.h"

#include <gtest/gtest.h>

using namespace plimset;

namespace {

// A field of seven 7-pixel zeros, 12 pixels high, in a window with an 8-pixel frame width
// and 40 pixels of frame and menu bar height, at 96 dpi.
ControlSizes SampleSizes() {
    ControlSizes s;
    s.TextWidth = 735;
    s.TextHeight = 180;
    return s;
}
constexpr double BorderWidth = 120;
constexpr double BorderHeight = 600;

} // namespace

TEST(WindowLayout, ConversionsRoundHalfToEvenAndTruncateQuotients) {
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(IntegerDivide(29, 15), 1);
    EXPECT_EQ(IntegerDivide(-7.5, 2), -4); // -8 / 2
    EXPECT_EQ(IntegerDivide(-7, 2), -3);   // towards zero, not down
    EXPECT_EQ(IntegerDivide(10, 0.4), 0);  // a divisor that rounds to 0 is harmless
    EXPECT_EQ(RoundToInt32(1e12), 2147483647);

    EXPECT_EQ(TwipsToPixels(-435, 15), -29);
    // Pixels use the exact factor: 1035 twips at 7.5 are 138 pixels, not 1035 \ 8 = 129.
    EXPECT_EQ(WholePixels(1035, 7.5), 138);
    EXPECT_EQ(WholePixels(1034.5, 15), 68); // 1034 (half to even) / 15
    EXPECT_EQ(WholePixels(10, 0), 0);
}

TEST(WindowLayout, FieldIsSizedForOneMoreZeroThanItShows) {
    EXPECT_EQ(FieldSizingText(0, 5), QStringLiteral("000000"));
    EXPECT_EQ(FieldSizingText(0, 8), QStringLiteral("000000000"));
    EXPECT_EQ(FieldSizingText(3, 8), QStringLiteral("0000"));
}

TEST(WindowLayout, FittedWindowHasTenPercentSpareAndSeventeenPixelsOfHeight) {
    const TwipsPerPixel tpp;
    // 255 + 255 + 525 + 735 = 1770; + 177 + 120 = 2067 twips; 137 pixels.
    EXPECT_EQ(FittedWindowWidthPixels(SampleSizes(), BorderWidth, tpp), 137);
    // 180 + 255 + 600 = 1035 twips; 69 pixels.
    EXPECT_EQ(FittedWindowHeightPixels(SampleSizes(), BorderHeight, tpp), 69);

    // At 120 dpi the same layout in twips gives more pixels.
    const TwipsPerPixel large{12, 12};
    EXPECT_EQ(FittedWindowWidthPixels(SampleSizes(), BorderWidth, large), 2067 / 12);
}

TEST(WindowLayout, ControlsAreCentredAndTheSmallButtonsSideBySide) {
    const TwipsPerPixel tpp;
    const ControlPlacement p =
        PlaceControls(SampleSizes(), 137 * 15, 69 * 15, BorderWidth, BorderHeight, tpp);
    // Client area 1935 x 435 twips.
    EXPECT_EQ(p.TextLeft, 600);
    EXPECT_EQ(p.MinimizeLeft, 45);
    EXPECT_EQ(p.ClearLeft, 45 + 255);
    EXPECT_EQ(p.ActionLeft, 600 + 735 + 37); // (1935 - 1335 - 525) \ 2 = 37
    EXPECT_EQ(p.TextTop, 127);               // 255 \ 2
    EXPECT_EQ(p.MinimizeTop, 75);
    EXPECT_EQ(p.ActionTop, 75);

    // Halving rounds its operand half to even first.
    ControlSizes s = SampleSizes();
    s.TextWidth = 734.5; // 1200.5 rounds to 1200
    EXPECT_EQ(PlaceControls(s, 137 * 15, 69 * 15, BorderWidth, BorderHeight, tpp).TextLeft, 600);
    s.TextWidth = 733.5; // 1201.5 rounds to 1202
    EXPECT_EQ(PlaceControls(s, 137 * 15, 69 * 15, BorderWidth, BorderHeight, tpp).TextLeft, 601);

    // A window narrower than its field puts the buttons at negative offsets, not garbage.
    const ControlPlacement narrow = PlaceControls(SampleSizes(), 600, 600, 120, 600, tpp);
    EXPECT_EQ(narrow.TextLeft, -127); // (480 - 735) = -255 \ 2
    EXPECT_LT(narrow.MinimizeLeft, 0);
}

TEST(WindowLayout, StartupSizeKeepsTheSavedSizeAboveTheMinimum) {
    const TwipsPerPixel tpp;
    // Never stored: the current size stays.
    EXPECT_EQ(StartupWidthPixels(-1, 137, SampleSizes(), BorderWidth, tpp), 137);
    EXPECT_EQ(StartupHeightPixels(0, 69, SampleSizes(), BorderHeight, tpp), 69);
    // Minimums: (1770 + 120) \ 15 + 2 = 128 and (180 + 600) \ 15 + 1 = 53.
    EXPECT_EQ(StartupWidthPixels(1, 137, SampleSizes(), BorderWidth, tpp), 128);
    EXPECT_EQ(StartupWidthPixels(300, 137, SampleSizes(), BorderWidth, tpp), 300);
    EXPECT_EQ(StartupHeightPixels(20, 69, SampleSizes(), BorderHeight, tpp), 53);
    EXPECT_EQ(StartupHeightPixels(90, 69, SampleSizes(), BorderHeight, tpp), 90);
}

TEST(WindowLayout, CentredOnTheScreen) {
    EXPECT_EQ(CentredPosition(1024 * 15, 137 * 15), (15360 - 2055) / 2);
    EXPECT_EQ(CentredPosition(1000, 2055), -527); // larger than the screen: truncated, not floored
}
