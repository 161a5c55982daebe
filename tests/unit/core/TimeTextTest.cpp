#include "core/TimeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace plimset;

namespace {

const TimeFormat Dot{0, 6};
const TimeFormat Colon{1, 6};
const TimeFormat Hours{1, 8};

} // namespace

TEST(ParseTimeText, ReadsBothSeparators) {
    EXPECT_FLOAT_EQ(ParseTimeText("", Dot), 0);
    EXPECT_FLOAT_EQ(ParseTimeText("12abc", Dot), 12);
    EXPECT_FLOAT_EQ(ParseTimeText("1.30", Dot), 1.30f);
    EXPECT_FLOAT_EQ(ParseTimeText("1:30", Dot), 1); // the colon ends the number

    EXPECT_FLOAT_EQ(ParseTimeText("", Colon), 0);
    EXPECT_FLOAT_EQ(ParseTimeText("abc", Colon), 0);
    EXPECT_FLOAT_EQ(ParseTimeText("5", Colon), 5);
    EXPECT_FLOAT_EQ(ParseTimeText("1:30", Colon), 1.30f);
    EXPECT_FLOAT_EQ(ParseTimeText("0:45", Colon), 0.45f);
    EXPECT_FLOAT_EQ(ParseTimeText("1:30:15", Colon), 90.15f);
    EXPECT_FLOAT_EQ(ParseTimeText("1:2:3", Colon), 62.3f);
    EXPECT_FLOAT_EQ(ParseTimeText("1:30:5", Colon), 90.5f);
    EXPECT_FLOAT_EQ(ParseTimeText(":30", Colon), 0.30f);
}

TEST(ParseTimeText, HugeNumbersStayFinite) {
    const float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(ParseTimeText("1e999", Dot), largest);
    EXPECT_EQ(ParseTimeText("-1e999", Colon), -largest);
    EXPECT_EQ(ParseTimeText("1e300:1", Colon), largest);
}

TEST(FormatTimeText, ShowsAllThreeForms) {
    struct Case {
        float value;
        const char* dot;
        const char* colon;
        const char* hours;
    };
    const Case cases[] = {
        {0, "0.00", "0:00", "0:00"},
        {1.3f, "1.30", "1:30", "1:30"},
        {0.45f, "0.45", "0:45", "0:45"},
        {59.3f, "59.30", "59:30", "59:30"},
        {59.99f, "59.99", "59:99", "59:99"},
        {60, "60.00", "60:00", "1:00:00"},
        {90.15f, "90.15", "90:15", "1:30:15"},
        {125.5f, "125.50", "125:50", "2:05:50"},
        {100, "100.00", "100:00", "1:40:00"},
        {6000, "6000.00", "6000:00", "100:00:00"},
        {0.005f, "0.01", "0:01", "0:01"}, // half away from zero
        {0.594f, "0.59", "0:59", "0:59"}, // the display rounds to the nearest second
        {0.595f, "0.60", "0:60", "0:60"}, // on the printed digits, not the binary ones
        {-2.5f, "-2.50", "-2:50", "-2:50"},
        {-0.001f, "0.00", "0:00", "0:00"}, // no negative zero
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatTimeText(c.value, Dot), c.dot);
        EXPECT_EQ(FormatTimeText(c.value, Colon), c.colon);
        EXPECT_EQ(FormatTimeText(c.value, Hours), c.hours);
    }
    // Only ":" with eight characters shows hours.
    EXPECT_EQ(FormatTimeText(90.15f, TimeFormat{0, 8}), "90.15");
}

TEST(FormatTimeText, HoursSplitTheRoundedValue) {
    // Seconds that round up to a full minute move into the next minute and hour.
    EXPECT_EQ(FormatTimeText(119.995f, Hours), "2:00:00");
    EXPECT_EQ(FormatTimeText(60.999f, Hours), "1:01:00");
    // Hours far past the 16-bit range are still counted exactly.
    EXPECT_EQ(FormatTimeText(2000000, Hours), "33333:20:00");
    EXPECT_EQ(FormatTimeText(1966140, Hours), "32769:00:00");
}

TEST(FormatTimeText, OddValuesNeverBreakIt) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(FormatTimeText(nan, Hours), "0:00");
    EXPECT_EQ(FormatTimeText(inf, Dot), "340282346638528859811704183484516925440.00");
    EXPECT_EQ(FormatTimeText(-inf, Dot), "-340282346638528859811704183484516925440.00");
    EXPECT_TRUE(FormatTimeText(inf, Hours).endsWith(":00"));
    EXPECT_EQ(FormatTimeText(std::numeric_limits<float>::denorm_min(), Dot), "0.00");
}

TEST(TimeValueSeconds, ConvertsBothWays) {
    EXPECT_FLOAT_EQ(TimeValueToSeconds(0.45f), 45);
    EXPECT_FLOAT_EQ(TimeValueToSeconds(1.75f), 135);
    EXPECT_FLOAT_EQ(TimeValueToSeconds(1), 60);
    EXPECT_FLOAT_EQ(TimeValueToSeconds(90.15f), 5415);
    EXPECT_FLOAT_EQ(TimeValueToSeconds(0), 0);

    EXPECT_FLOAT_EQ(SecondsToTimeValue(0), 0);
    EXPECT_FLOAT_EQ(SecondsToTimeValue(90), 1.30f);
    EXPECT_FLOAT_EQ(SecondsToTimeValue(5415), 90.15f);
    EXPECT_FLOAT_EQ(SecondsToTimeValue(59.4f), 0.594f);
    // Below zero the minutes round down: -30 s is -1 minute plus 30 seconds.
    EXPECT_FLOAT_EQ(SecondsToTimeValue(-30), -0.70f);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(TimeValueToSeconds(nan), 0);
    EXPECT_EQ(TimeValueToSeconds(inf), std::numeric_limits<float>::max());
    EXPECT_EQ(SecondsToTimeValue(nan), 0);
    EXPECT_TRUE(std::isfinite(SecondsToTimeValue(-inf)));
}

TEST(TimeValueSeconds, CarryTurnsSixtySecondsIntoAMinute) {
    const auto tick = [](float seconds) { return CarryTimeValue(SecondsToTimeValue(seconds)); };
    EXPECT_FLOAT_EQ(tick(119.999f), 2);
    EXPECT_FLOAT_EQ(tick(59.5f), 1);
    EXPECT_FLOAT_EQ(tick(59.4f), 0.594f);
    EXPECT_EQ(FormatTimeText(tick(59.4f), Colon), "0:59");
    EXPECT_EQ(FormatTimeText(tick(3599.9f), Hours), "1:00:00");
    EXPECT_FLOAT_EQ(CarryTimeValue(1.6f), 2);
    EXPECT_FLOAT_EQ(CarryTimeValue(1.59f), 1.59f);
    EXPECT_FLOAT_EQ(CarryTimeValue(1.995f), 1.995f); // "2.00" needs no carry
    EXPECT_EQ(CarryTimeValue(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(AddMinutesToClockText, AddsAndWraps) {
    const QTime noon(12, 0);
    EXPECT_EQ(AddMinutesToClockText("7:30", 10, noon), "7:40");
    EXPECT_EQ(AddMinutesToClockText("07:30", 10, noon), "7:40");
    EXPECT_EQ(AddMinutesToClockText("23:55", 10, noon), "0:05");
    EXPECT_EQ(AddMinutesToClockText("10:00", 90, noon), "11:30");
    EXPECT_EQ(AddMinutesToClockText("10:00", 60, noon), "11:00");
    EXPECT_EQ(AddMinutesToClockText("23:30", 60, noon), "0:30");
    EXPECT_EQ(AddMinutesToClockText("22:00", 1500, noon), "23:00");
    EXPECT_EQ(AddMinutesToClockText("23:59", 0, noon), "23:59");
    EXPECT_EQ(AddMinutesToClockText("0:00", 32767, noon), "18:07");
    // A negative count moves the time back, across midnight too.
    EXPECT_EQ(AddMinutesToClockText("0:05", -10, noon), "23:55");
    EXPECT_EQ(AddMinutesToClockText("10:00", -32768, noon), "15:52");
}

TEST(AddMinutesToClockText, ReplacesBadTextByNow) {
    const QTime now(12, 0, 30);
    for (const char* bad : {"", "7:5", "7", "12345", "12.30", "ab:cd", "25:00", "12:60", "-1:30",
                            "12:-5", "1::30", "123:45"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(AddMinutesToClockText(bad, 10, now), "12:10");
    }
    EXPECT_EQ(AddMinutesToClockText(" 7:30", 10, now), "7:40");
    EXPECT_EQ(AddMinutesToClockText("7:05", 10, QTime()), "7:15");
    EXPECT_EQ(AddMinutesToClockText("x", 10, QTime()), "0:10");
}

TEST(AlarmTimeReached, MatchesTheWholeMinute) {
    EXPECT_TRUE(AlarmTimeReached("7:05", QTime(7, 5, 0)));
    EXPECT_TRUE(AlarmTimeReached("7:05", QTime(7, 5, 30)));
    EXPECT_TRUE(AlarmTimeReached("07:05", QTime(7, 5, 59, 999)));
    EXPECT_TRUE(AlarmTimeReached("0:00", QTime(0, 0)));
    EXPECT_TRUE(AlarmTimeReached("23:59", QTime(23, 59, 59)));
    EXPECT_FALSE(AlarmTimeReached("7:05", QTime(7, 6)));
    EXPECT_FALSE(AlarmTimeReached("7:05", QTime(7, 4, 59)));
    EXPECT_FALSE(AlarmTimeReached("7:5", QTime(7, 5)));
    EXPECT_FALSE(AlarmTimeReached("7:05 ", QTime(7, 5)));
    EXPECT_FALSE(AlarmTimeReached("19:05", QTime(7, 5)));
    EXPECT_FALSE(AlarmTimeReached("", QTime()));
}

TEST(PresetLabel, NamesMinutesAndSeconds) {
    const QString min = "min";
    const QString sec = "sec";
    EXPECT_EQ(PresetLabel(Alarm, 10, min, sec), "10min");
    EXPECT_EQ(PresetLabel(CountDown, 0.30f, min, sec), "30sec");
    EXPECT_EQ(PresetLabel(CountDown, 3.3f, min, sec), "3min 30sec");
    EXPECT_EQ(PresetLabel(CountDown, 3.05f, min, sec), "3min 5sec");
    EXPECT_EQ(PresetLabel(CountDown, 5, min, sec), "5min");
    EXPECT_EQ(PresetLabel(CountDown, 90.15f, min, sec), "90min 15sec");
    EXPECT_EQ(PresetLabel(CountDown, 5, QString::fromUtf8("分"), QString::fromUtf8("秒")),
              QString::fromUtf8("5分"));
    // A fraction too small for a whole second still shows a number.
    EXPECT_EQ(PresetLabel(CountDown, 3.001f, min, sec), "3min 0sec");
    EXPECT_EQ(PresetLabel(Alarm, std::numeric_limits<float>::infinity(), min, sec), "32767min");
    EXPECT_EQ(PresetLabel(CountDown, std::numeric_limits<float>::quiet_NaN(), min, sec), "0min");
}
