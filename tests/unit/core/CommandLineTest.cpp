#include "core/CommandLine.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace plimset;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {
const QString Usage = "usage\r\n";
const QString CountMessage = "The number of arguments is invalid.\r\n\r\n" + Usage;
const QString CommandMessage = "Invalid command.\r\n\r\n" + Usage;
const QString LengthMessage = "Enter the arguments in 9999 characters or fewer.";
constexpr std::optional<TimerMode> A = TimerMode::Alarm, C = TimerMode::CountDown,
                                   S = TimerMode::StopWatch, None;
} // namespace

TEST(ParseCommandLine, ReadsModeAndText) {
    struct Case {
        const char* arguments;
        std::optional<TimerMode> mode;
        const char* text;
    };
    const Case cases[] = {
        {"/c 5", C, "5"},         {"5", None, "5"},
        {"/A 12:00", A, "12:00"}, {"/S", S, ""},
        {"/C /A", A, ""},         {"\"1 30\"", None, "1 30"},
        {"/C \"1 30", C, "1 30"}, {"abc\"def ghi\"", None, "def ghi"},
        {"   /C   5  ", C, "5"},  {"\"   \"", None, ""},
        {"\" 5 \"", None, " 5 "}, {"1\t2 \"", None, "1\t2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CommandLineResult r = ParseCommandLine(c.arguments, Usage);
        EXPECT_EQ(r.CommandLineMode, c.mode);
        EXPECT_EQ(r.CommandLineText, c.text);
        EXPECT_TRUE(r.Message.isEmpty());
    }
}

TEST(ParseCommandLine, ReportsBadCommandLines) {
    CommandLineResult r = ParseCommandLine("5 6 /C /?", Usage); // "/?" wins wherever it stands
    EXPECT_EQ(r.Message, Usage);
    EXPECT_EQ(r.MessageStyle, MessageStyle::Information);
    EXPECT_TRUE(r.ExitAfterMessage);

    for (const char* bad : {"/CA", "/X", "/", "5 /?x"}) {
        r = ParseCommandLine(bad, Usage);
        EXPECT_EQ(r.Message, CommandMessage) << bad;
        EXPECT_EQ(r.MessageStyle, MessageStyle::Critical);
        EXPECT_TRUE(r.CommandLineText.isEmpty());
    }
    // Options read before the error stay; the input text does not.
    r = ParseCommandLine("/C 5 6", Usage);
    EXPECT_EQ(r.Message, CountMessage);
    EXPECT_EQ(r.CommandLineMode, C);
    EXPECT_TRUE(r.CommandLineText.isEmpty());
    EXPECT_FALSE(r.ExitAfterMessage);

    const QString longest(MaxCommandLineLength, u'5');
    EXPECT_EQ(ParseCommandLine(longest, Usage).CommandLineText, longest);
    r = ParseCommandLine("/S " + longest, Usage);
    EXPECT_EQ(r.Message, LengthMessage);
    EXPECT_EQ(r.CommandLineMode, None);
    EXPECT_TRUE(r.CommandLineText.isEmpty());
}

TEST(JoinArguments, KeepsEachArgumentOneToken) {
    EXPECT_EQ(JoinArguments({"/C", "", "5"}), "/C 5");
    EXPECT_EQ(JoinArguments({"1 30"}), "\"1 30\"");
    const CommandLineResult r = ParseCommandLine(JoinArguments({"/a", "1 \"30", "\""}), Usage);
    EXPECT_EQ(r.CommandLineMode, A);
    EXPECT_EQ(r.CommandLineText, "1 30");
    EXPECT_TRUE(r.Message.isEmpty());
}
