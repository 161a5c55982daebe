#include "core/TimeText.h"
#include "core/CommandLine.h"
#include "core/NumericText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plimset;

namespace {
const TimeFormat Dot{TimeSeparator::Dot, 6};
const TimeFormat Colon{TimeSeparator::Colon, 6};
const TimeFormat Hours{TimeSeparator::Colon, 8};
const float Nan = std::numeric_limits<float>::quiet_NaN();
const float Largest = std::numeric_limits<float>::max();
} // namespace

TEST(ParseTimeText, ReadsBothSeparators) {
    EXPECT_FLOAT_EQ(ParseTimeText("1:30", Dot), 1); // the colon ends the number
    EXPECT_FLOAT_EQ(ParseTimeText("1:30", Colon), 1.30f);
    EXPECT_FLOAT_EQ(ParseTimeText("1:30:15", Colon), 90.15f);
    EXPECT_EQ(ParseTimeText("1e999", Dot), Largest);
}

TEST(FormatTimeText, ShowsAllThreeForms) {
    struct Case {
        float value;
        const char *dot, *colon, *hours;
    };
    const Case cases[] = {
        {59.99f, "59.99", "59:99", "59:99"},
        {60, "60.00", "60:00", "1:00:00"},
        {125.5f, "125.50", "125:50", "2:05:50"},
        {0.005f, "0.01", "0:01", "0:01"}, // half away from zero, on the printed digits
        {0.595f, "0.60", "0:60", "0:60"},
        {-0.001f, "0.00", "0:00", "0:00"},                    // no negative zero
        {119.995f, "120.00", "120:00", "2:00:00"},            // never "1:60:00"
        {2000000, "2000000.00", "2000000:00", "33333:20:00"}, // hours past 16 bits
        {Nan, "0.00", "0:00", "0:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(FormatTimeText(c.value, Dot), c.dot);
        EXPECT_EQ(FormatTimeText(c.value, Colon), c.colon);
        EXPECT_EQ(FormatTimeText(c.value, Hours), c.hours);
    }
}

TEST(TimeValueSeconds, ConvertsAndCarries) {
    EXPECT_FLOAT_EQ(TimeValueToSeconds(1.75f), 135);
    EXPECT_FLOAT_EQ(SecondsToTimeValue(-30), -0.70f); // minutes round down
    const auto tick = [](float seconds) { return CarryTimeValue(SecondsToTimeValue(seconds)); };
    EXPECT_FLOAT_EQ(tick(59.5f), 1);
    EXPECT_EQ(FormatTimeText(tick(3599.9f), Hours), "1:00:00");
}

TEST(AddMinutesToClockText, AddsWrapsAndReplacesBadText) {
    const QTime noon(12, 0, 30);
    const char* cases[][3] = {
        {"7:30", "10", "7:40"},   {"23:55", "10", "0:05"},    {"22:00", "1500", "23:00"},
        {"0:05", "-10", "23:55"}, {"0:00", "32767", "18:07"}, {"7:5", "10", "12:10"},
        {"25:00", "10", "12:10"}, {"12:60", "10", "12:10"},   {"-1:30", "10", "12:10"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddMinutesToClockText(c[0], std::chrono::minutes(QString(c[1]).toShort()), noon),
                  c[2])
            << c[0];
    }
}

TEST(AlarmTimeReached, MatchesTheWholeMinute) {
    EXPECT_TRUE(AlarmTimeReached("7:05", QTime(7, 5, 30)));
    EXPECT_TRUE(AlarmTimeReached("07:05", QTime(7, 5, 59, 999)));
    EXPECT_FALSE(AlarmTimeReached("7:05", QTime(7, 4, 59, 999)));
    EXPECT_FALSE(AlarmTimeReached("19:05", QTime(7, 5)));
}

TEST(PresetLabel, NamesMinutesAndSeconds) {
    EXPECT_EQ(PresetLabel(TimerMode::CountDown, 0.30f, "min", "sec"), "30sec");
    EXPECT_EQ(PresetLabel(TimerMode::CountDown, 3.05f, "min", "sec"), "3min 5sec");
}

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

TEST(ParseCommandLine, ReadsModeAndTextAndReportsBadCommandLines) {
    const QString usage = "usage\r\n";
    constexpr std::optional<TimerMode> A = TimerMode::Alarm, C = TimerMode::CountDown, None;
    const std::tuple<QString, std::optional<TimerMode>, QString> good[] = {
        {"/c 5", C, "5"},
        {"/C /A", A, ""},
        {"\"1 30\"", None, "1 30"},
        {"/C \"1 30", C, "1 30"},
        {"   /C   5  ", C, "5"},
        {"\" 5 \"", None, " 5 "},
        {JoinArguments({"/a", "1 \"30", "\""}), A, "1 30"}, // each argument stays one token
        {QString(MaxCommandLineLength, u'5'), None, QString(MaxCommandLineLength, u'5')},
    };
    for (const auto& [arguments, mode, text] : good) {
        const CommandLineResult r = ParseCommandLine(arguments, usage);
        EXPECT_EQ(std::tie(r.CommandLineMode, r.CommandLineText, r.Message),
                  std::tuple(mode, text, QString()))
            << arguments.toStdString();
    }
    CommandLineResult r = ParseCommandLine("5 6 /C /?", usage); // "/?" wins wherever it stands
    EXPECT_EQ(std::tie(r.Message, r.MessageStyle, r.ExitAfterMessage),
              std::tuple(usage, MessageStyle::Information, true));
    for (const QString& bad :
         QStringList{"/CA", "/X", "5 /?x", "/C 5 6", "/S " + QString(9999, u'5')}) {
        r = ParseCommandLine(bad, usage);
        EXPECT_EQ(r.MessageStyle, MessageStyle::Critical) << bad.left(9).toStdString();
        EXPECT_FALSE(r.Message.isEmpty() || r.ExitAfterMessage);
        EXPECT_TRUE(r.CommandLineText.isEmpty());
    }
}
