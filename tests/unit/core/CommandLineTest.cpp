#include "core/CommandLine.h"

#include <gtest/gtest.h>

using namespace plimset;

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
