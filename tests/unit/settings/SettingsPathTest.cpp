#include "settings/SettingsPath.h"
#include "SettingsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using plimset::SettingsFilePath;

// Beside the executable in a folder of its own; under the configuration folder when
// installed in a system or a user's program folder (~/.local/bin, or a bin folder on PATH,
// also when reached through a link), whatever settings file someone left there.
TEST(SettingsFilePath, BesideAPortableExecutableElseInTheConfigFolder) {
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString localBin = home + "/.local/bin";
    const QString pathBin = dir.filePath("tools/bin");
    const QString own = dir.filePath("portable");
    for (const QString& folder : {localBin, pathBin, own})
        ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::link(dir.filePath("tools"), dir.filePath("linked")));
    writeBytes(localBin + "/plimset.ini", "");
    const QString searchPath = "/usr/bin:relative/bin:" + pathBin + "/";
    const QString xdg = "/xdg/plimset/plimset.ini";
    const QString rows[][4] = {
        {own + "/timer.bin", "/xdg", searchPath + ":" + own, own + "/timer.ini"},
        {"/usr/bin/plimset", "/xdg", "", xdg},
        {"/usr/bin/plimset", "relative/xdg", "", home + "/.config/plimset/plimset.ini"},
        {localBin + "/plimset", "/xdg", "", xdg},
        {pathBin + "/plimset", "/xdg", searchPath, xdg},
        {dir.filePath("linked") + "/bin/plimset", "/xdg", searchPath, xdg},
        {pathBin + "/plimset", "/xdg", "/usr/bin", pathBin + "/plimset.ini"},
    };
    for (const auto& [executable, config, search, expected] : rows)
        EXPECT_EQ(SettingsFilePath(executable, config, home, search), expected)
            << executable.toStdString();
}
