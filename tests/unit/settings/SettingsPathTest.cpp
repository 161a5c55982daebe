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
