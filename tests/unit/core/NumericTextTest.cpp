#include "core/NumericText.h"

#include <gtest/gtest.h>

#include <QList>

#include <utility>

using namespace plimset;

// Blanks, tabs and line feeds are skipped wherever they stand, nothing else is; a comma is
// never a decimal point, whatever the user's locale says; exponents take either letter.
TEST(NumericValue, ReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},     {"abc", 0},     {"12abc", 12}, {"1:30", 1},   {"1.2.3", 1.2},
        {".5", 0.5}, {"-2.5", -2.5}, {"+7", 7},     {"-", 0},      {".", 0},
        {"1,5", 1},  {"1 2", 12},    {"4\r5", 4},   {"1e3", 1000}, {"1D2", 100},
        {"3e+", 3},  {"&H1F", 31},   {"&O17", 15},  {"&O19", 1},   {"&X1", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
    }
    EXPECT_DOUBLE_EQ(NumericValue(" \t- 3 .\n5 "), -3.5);
    EXPECT_DOUBLE_EQ(NumericValue("2.5e-1x"), 0.25);
    EXPECT_DOUBLE_EQ(NumericValue("&hff zz"), 255);
    // An exponent far out of range does not give infinity.
    EXPECT_GT(NumericValue("1e999"), 1e300);
    // Nor do overlong hexadecimal or octal digits: they stop where a decimal one does.
    EXPECT_EQ(NumericValue("&H" + QString(300, u'F')), NumericValue("1e999"));
    EXPECT_EQ(NumericValue("&O" + QString(400, u'7')), NumericValue("1e999"));
}

TEST(RoundToInt16, HalvesToEvenAndClamps) {
    EXPECT_EQ(QList<int>({RoundToInt16(2.5), RoundToInt16(3.5), RoundToInt16(-2.5),
                          RoundToInt16(1e9), RoundToInt16(-1e9)}),
              QList<int>({2, 4, -2, 32767, -32768}));
}
