#include "settings/SettingsPath.h"
#include "SettingsTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using plimset::SettingsFilePath;

TEST(SettingsFilePath, BesideAnExecutableInAWritableFolderOfItsOwn) {
    QTemporaryDir dir;
    EXPECT_EQ(SettingsFilePath(dir.filePath("plimset"), "/xdg", "/home/u"),
              dir.filePath("plimset.ini"));
    EXPECT_EQ(SettingsFilePath(dir.filePath("timer.bin"), "/xdg", "/home/u"),
              dir.filePath("timer.ini"));
}

TEST(SettingsFilePath, UnderTheConfigFolderForAnInstalledExecutable) {
    EXPECT_EQ(SettingsFilePath("/usr/bin/plimset", "/xdg", "/home/u"), "/xdg/plimset/plimset.ini");
    EXPECT_EQ(SettingsFilePath("/usr/bin/plimset", "", "/home/u"),
              "/home/u/.config/plimset/plimset.ini");
    EXPECT_EQ(SettingsFilePath("/usr/bin/plimset", "relative/xdg", "/home/u"),
              "/home/u/.config/plimset/plimset.ini");
    EXPECT_EQ(SettingsFilePath("/opt/plimset/bin/plimset", "/xdg", "/home/u"),
              "/xdg/plimset/plimset.ini");

    // A folder reached through a link is judged by where it really is.
    QTemporaryDir dir;
    const QString link = dir.filePath("lib");
    ASSERT_TRUE(QFile::link("/usr/lib", link));
    EXPECT_EQ(SettingsFilePath(link + "/plimset", "/xdg", "/home/u"), "/xdg/plimset/plimset.ini");
}

TEST(SettingsFilePath, AnExistingFileBesideAnUnwritableFolderIsUsed) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkpath(folder));
    writeBytes(folder + "/plimset.ini", "");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(SettingsFilePath(folder + "/plimset", "/xdg", "/h"), folder + "/plimset.ini");
    EXPECT_EQ(SettingsFilePath(folder + "/other", "/xdg", "/h"), "/xdg/plimset/other.ini");
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(SettingsFilePath, ACopyInstalledForOneUserKeepsItsSettingsInTheConfigFolder) {
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QString localBin = home + "/.local/bin";
    const QString pathBin = dir.filePath("tools/bin");
    const QString ownFolder = dir.filePath("portable");
    for (const QString& folder : {localBin, pathBin, ownFolder}) {
        ASSERT_TRUE(QDir().mkpath(folder));
    }
    const QString searchPath = "/usr/bin:relative/bin:" + pathBin + "/";

    // ~/.local/bin is a user's program folder whether or not PATH lists it, and a settings
    // file someone left there is not used.
    writeBytes(localBin + "/plimset.ini", "");
    EXPECT_EQ(SettingsFilePath(localBin + "/plimset", "/xdg", home, ""),
              "/xdg/plimset/plimset.ini");
    EXPECT_EQ(SettingsFilePath(localBin + "/plimset", "", home, searchPath),
              home + "/.config/plimset/plimset.ini");
    // So is any folder named bin on PATH, also when reached through a link.
    EXPECT_EQ(SettingsFilePath(pathBin + "/plimset", "/xdg", home, searchPath),
              "/xdg/plimset/plimset.ini");
    const QString linked = dir.filePath("linked");
    ASSERT_TRUE(QFile::link(dir.filePath("tools"), linked));
    EXPECT_EQ(SettingsFilePath(linked + "/bin/plimset", "/xdg", home, searchPath),
              "/xdg/plimset/plimset.ini");

    // A bin folder that PATH does not list, and a folder of its own, stay portable.
    EXPECT_EQ(SettingsFilePath(pathBin + "/plimset", "/xdg", home, "/usr/bin"),
              pathBin + "/plimset.ini");
    EXPECT_EQ(SettingsFilePath(ownFolder + "/plimset", "/xdg", home, searchPath + ":" + ownFolder),
              ownFolder + "/plimset.ini");
}
