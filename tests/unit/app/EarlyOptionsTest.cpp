#include "app/EarlyOptions.h"
#include "core/Version.h"

#include <gtest/gtest.h>

using namespace plimset;

namespace {

const DisplayEnvironment NoDisplay{}, X11{":0", {}, {}}, Wayland{{}, "wayland-0", {}};

EarlyAction Early(const QStringList& arguments, DisplayEnvironment environment = X11,
                  const char* platform = "") {
    environment.qpaPlatform = platform;
    return EarlyOptions("/usr/bin/plimset", arguments, environment);
}

TEST(EarlyOptions, HelpAndVersionNeedNoDisplayAndTheFirstWins) {
    const EarlyAction help = Early({"/C", "5", "-h", "--version"}, NoDisplay);
    EXPECT_TRUE(help.exit && help.exitCode == 0 && help.standardError.isEmpty());
    EXPECT_TRUE(help.standardOutput.startsWith("Command Line Options\n\nplimset [/C | /A | /S]"));
    const EarlyAction version = Early({"--version", "--help"});
    EXPECT_TRUE(version.exit && version.exitCode == 0);
    EXPECT_EQ(version.standardOutput, QString("Plimset ") + ProgramVersion + "\n");
    // Only the exact switches count: "/?" and look-alikes are the program's own business.
    EXPECT_FALSE(Early({"/?"}).exit || Early({"--helpme", "-H", "--Version"}).exit);
}

TEST(EarlyOptions, AMissingDisplayIsOneLineAndAFailure) {
    const EarlyAction none = Early({"/C", "5"}, NoDisplay);
    EXPECT_TRUE(none.exit && none.exitCode != 0 && none.standardOutput.isEmpty());
    EXPECT_TRUE(none.standardError.count(u'\n') == 1 && none.standardError.startsWith("plimset: "));
    // A platform asked for by name must have its own display; a list needs one of them;
    // -platform on the command line overrides the environment.
    for (const auto& [arguments, environment, platform, exits] :
         {std::tuple{QStringList{}, X11, "", false},
          {{}, Wayland, "", false},
          {{}, Wayland, "xcb", true},
          {{}, X11, "wayland", true},
          {{}, X11, "wayland;xcb", false},
          {{}, X11, "xcb:nograb", false},
          {{}, NoDisplay, "offscreen", false},
          {{}, NoDisplay, ";", true},
          {{"-platform", "offscreen"}, NoDisplay, "xcb", false},
          {{"-platform", "xcb"}, NoDisplay, "offscreen", true}})
        EXPECT_EQ(Early(arguments, environment, platform).exit, exits)
            << platform << arguments.join(' ').toStdString();
}

TEST(EarlyOptions, AWindowVerbStandsAlone) {
    EXPECT_TRUE(!Early({"--toggle"}).exit && Early({"--toggle"}).windowVerb == WindowVerb::Toggle);
    EXPECT_EQ(Early({"--hide"}).windowVerb, WindowVerb::Hide);
    // The seed's switches start a program of their own.
    EXPECT_FALSE(Early({"/C", "5"}).windowVerb || Early({"--Toggle"}).windowVerb);
    // With anything else it is a mistake, said on one line, before any display is needed.
    const EarlyAction mixed = Early({"/C", "--toggle"}, NoDisplay);
    EXPECT_TRUE(mixed.exit && mixed.exitCode == 2);
    EXPECT_EQ(mixed.standardError, "plimset: --toggle takes no other arguments\n");
    EXPECT_TRUE(Early({"--show", "--hide"}).exit);
    // --help still wins and names the verbs.
    EXPECT_TRUE(Early({"--toggle", "--help"}).standardOutput.contains("--toggle"));
}

} // namespace
