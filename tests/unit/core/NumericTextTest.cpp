#include "core/NumericText.h"

#include <gtest/gtest.h>

#include <utility>

using namespace plimset;

// Blanks are skipped wherever they stand; a comma is never a decimal point, whatever the
// user's locale says; huge exponents and overlong hexadecimal digits give no infinity.
TEST(NumericValue, ReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"abc", 0}, {"12abc", 12},          {"1.2.3", 1.2},    {".5", 0.5},
        {"1,5", 1}, {" \t- 3 .\n5 ", -3.5}, {"2.5e-1x", 0.25}, {"&hff zz", 255},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
    EXPECT_EQ(NumericValue("&H" + QString(300, u'F')), NumericValue("1e999"));
    EXPECT_GT(NumericValue("1e999"), 1e300);
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(1e9), 32767);
}
