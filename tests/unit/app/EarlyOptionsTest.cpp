#include "app/EarlyOptions.h"
#include "core/Version.h"

#include <gtest/gtest.h>

using plimset::DisplayEnvironment;
using plimset::EarlyAction;
using plimset::EarlyOptions;

namespace {

EarlyAction Early(const QStringList& arguments, const DisplayEnvironment& environment) {
    return EarlyOptions(QStringLiteral("/usr/bin/plimset"), arguments, environment);
}

const DisplayEnvironment NoDisplay{};
const DisplayEnvironment X11{QStringLiteral(":0"), QString(), QString()};

} // namespace

TEST(EarlyOptions, HelpAndVersionNeedNoDisplayAndTheFirstWins) {
    const EarlyAction help = Early({"/C", "5", "-h", "--version"}, NoDisplay);
    EXPECT_TRUE(help.exit);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.standardOutput.startsWith("Command Line Options\n\nplimset [/C | /A | /S]"));
    EXPECT_FALSE(help.standardOutput.contains(u'\r'));
    EXPECT_TRUE(help.standardError.isEmpty());

    const EarlyAction version = Early({"--version", "--help"}, X11);
    EXPECT_TRUE(version.exit);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.standardOutput, QStringLiteral("Plimset ") + plimset::ProgramVersion + "\n");

    // The usage names the program as it was started.
    EXPECT_TRUE(EarlyOptions(QStringLiteral("/opt/t/timer"), {"--help"}, NoDisplay)
                    .standardOutput.contains("timer [/C | /A | /S]"));
    // Only the exact switches count: "/?" and look-alikes are the program's own business.
    EXPECT_FALSE(Early({"/?"}, X11).exit);
    EXPECT_FALSE(Early({"--helpme", "-H", "--Version"}, X11).exit);
}

TEST(EarlyOptions, AMissingDisplayIsOneLineAndAFailure) {
    const EarlyAction none = Early({"/C", "5"}, NoDisplay);
    EXPECT_TRUE(none.exit);
    EXPECT_NE(none.exitCode, 0);
    EXPECT_TRUE(none.standardOutput.isEmpty());
    EXPECT_EQ(none.standardError.count(u'\n'), 1);
    EXPECT_TRUE(none.standardError.startsWith("plimset: "));

    const DisplayEnvironment wayland{QString(), QStringLiteral("wayland-0"), QString()};
    EXPECT_FALSE(Early({}, X11).exit);
    EXPECT_FALSE(Early({}, wayland).exit);

    // A platform asked for by name must have its own display; a list needs one of them.
    auto with = [](DisplayEnvironment environment, const char* platform) {
        environment.qpaPlatform = QString::fromLatin1(platform);
        return environment;
    };
    for (const auto& [environment, exits] : {std::pair{with(wayland, "xcb"), true},
                                             {with(X11, "wayland"), true},
                                             {with(X11, "wayland;xcb"), false},
                                             {with(X11, "xcb:nograb"), false},
                                             {with(NoDisplay, "offscreen"), false},
                                             {with(NoDisplay, ";"), true}})
        EXPECT_EQ(Early({}, environment).exit, exits) << environment.qpaPlatform.toStdString();
    // -platform on the command line overrides the environment.
    EXPECT_FALSE(Early({"-platform", "offscreen"}, with(NoDisplay, "xcb")).exit);
    EXPECT_TRUE(Early({"-platform", "xcb"}, with(NoDisplay, "offscreen")).exit);
}

TEST(EarlyOptions, AWindowVerbStandsAlone) {
    const EarlyAction toggle = Early({"--toggle"}, X11);
    EXPECT_FALSE(toggle.exit);
    EXPECT_EQ(toggle.windowVerb, plimset::WindowVerb::Toggle);
    EXPECT_EQ(Early({"--hide"}, X11).windowVerb, plimset::WindowVerb::Hide);
    // The seed's switches start a program of their own.
    EXPECT_FALSE(Early({"/C", "5"}, X11).windowVerb.has_value());
    EXPECT_FALSE(Early({"--Toggle"}, X11).windowVerb.has_value());

    // With anything else it is a mistake, said on one line, before any display is needed.
    const EarlyAction mixed = Early({"/C", "--toggle"}, NoDisplay);
    EXPECT_TRUE(mixed.exit);
    EXPECT_EQ(mixed.exitCode, 2);
    EXPECT_EQ(mixed.standardError, "plimset: --toggle takes no other arguments\n");
    EXPECT_TRUE(Early({"--show", "--hide"}, X11).exit);
    // --help still wins and names the verbs.
    EXPECT_TRUE(Early({"--toggle", "--help"}, X11).standardOutput.contains("--toggle"));
}
