#include "core/TimeFieldKeys.h"

#include <gtest/gtest.h>

using namespace plimset;

TEST(TimeFieldKeys, ClockStyleTakesDigitsAndColonAndTurnsDotIntoColon) {
    EXPECT_EQ(FilterTimeFieldKey(u'7', true), QChar(u'7'));
    EXPECT_EQ(FilterTimeFieldKey(u':', true), QChar(u':'));
    EXPECT_EQ(FilterTimeFieldKey(u'.', true), QChar(u':'));
    for (char16_t c : {u'/', u'a', u' ', u'-', u'\x1b', u'\x7f', u'\uff10'})
        EXPECT_TRUE(FilterTimeFieldKey(c, true).isNull()) << int(c);
}

TEST(TimeFieldKeys, MinutesStyleTakesDigitsAndDotOnly) {
    EXPECT_EQ(FilterTimeFieldKey(u'0', false), QChar(u'0'));
    EXPECT_EQ(FilterTimeFieldKey(u'.', false), QChar(u'.'));
    for (char16_t c : {u':', u'/', u'e', u'+', u'\x1b'})
        EXPECT_TRUE(FilterTimeFieldKey(c, false).isNull()) << int(c);
}

TEST(TimeFieldKeys, ControlCodesPassExceptSelectAll) {
    for (bool clock : {true, false}) {
        EXPECT_TRUE(FilterTimeFieldKey(u'\x01', clock).isNull());
        EXPECT_EQ(FilterTimeFieldKey(u'\b', clock), QChar(u'\b'));
        EXPECT_EQ(FilterTimeFieldKey(u'\x16', clock), QChar(u'\x16')); // Ctrl+V
        EXPECT_EQ(FilterTimeFieldKey(u'\x1a', clock), QChar(u'\x1a'));
    }
}
