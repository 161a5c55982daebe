#include "core/NumericText.h"

#include <gtest/gtest.h>

using plimset::NumericValue;
using plimset::RoundToInt16;

TEST(NumericValue, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(NumericValue(""), 0);
    EXPECT_DOUBLE_EQ(NumericValue("abc"), 0);
    EXPECT_DOUBLE_EQ(NumericValue("12abc"), 12);
    EXPECT_DOUBLE_EQ(NumericValue("1:30"), 1);
    EXPECT_DOUBLE_EQ(NumericValue("1.30"), 1.30);
    EXPECT_DOUBLE_EQ(NumericValue("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(NumericValue(".5"), 0.5);
    EXPECT_DOUBLE_EQ(NumericValue("-2.5"), -2.5);
    EXPECT_DOUBLE_EQ(NumericValue("+7"), 7);
    EXPECT_DOUBLE_EQ(NumericValue("-"), 0);
    EXPECT_DOUBLE_EQ(NumericValue("."), 0);
}

TEST(NumericValue, IgnoresBlanksWhereverTheyStand) {
    EXPECT_DOUBLE_EQ(NumericValue("1 2"), 12);
    EXPECT_DOUBLE_EQ(NumericValue(" \t- 3 .\n5 "), -3.5);
    // Only blanks, tabs and line feeds are skipped; other characters end the number.
    EXPECT_DOUBLE_EQ(NumericValue("4\r5"), 4);
}

TEST(NumericValue, ReadsExponentsInEitherLetter) {
    EXPECT_DOUBLE_EQ(NumericValue("1e3"), 1000);
    EXPECT_DOUBLE_EQ(NumericValue("1D2"), 100);
    EXPECT_DOUBLE_EQ(NumericValue("2.5e-1x"), 0.25);
    EXPECT_DOUBLE_EQ(NumericValue("3e"), 3);
    EXPECT_DOUBLE_EQ(NumericValue("3e+"), 3);
    // An exponent far out of range does not give infinity.
    EXPECT_GT(NumericValue("1e999"), 1e300);
}

TEST(NumericValue, ReadsRadixPrefixes) {
    EXPECT_DOUBLE_EQ(NumericValue("&H1F"), 31);
    EXPECT_DOUBLE_EQ(NumericValue("&hff zz"), 255);
    EXPECT_DOUBLE_EQ(NumericValue("&O17"), 15);
    EXPECT_DOUBLE_EQ(NumericValue("&O19"), 1);
    EXPECT_DOUBLE_EQ(NumericValue("&X1"), 0);
}

TEST(NumericValue, DoesNotFollowTheLocale) {
    // A comma is never a decimal point, whatever the user's locale says.
    EXPECT_DOUBLE_EQ(NumericValue("1,5"), 1);
}

TEST(RoundToInt16, HalvesToEvenAndClamps) {
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(2.6), 3);
    EXPECT_EQ(RoundToInt16(1e9), 32767);
    EXPECT_EQ(RoundToInt16(-1e9), -32768);
}
