#include "settings/SettingsFile.h"
#include "SettingsTestFiles.h"
#include "settings/SettingsPath.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <cstdint>
#include <gtest/gtest.h>

using namespace plimset;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    SettingsFile file{path};
};

} // namespace

TEST_F(SettingsFileTest, ReadsHandWrittenFilesWithoutHarm) {
    // NUL characters count as blanks; a long value is cut at a character boundary.
    const char data[] = "\xEF\xBB\xBFStray=before any section\r\n; a comment=not a key\r\n"
                        "[ option ]\r\n  AddMinute =  15  \r\nEmpty=\r\nPadded=\0ab\0\0\r\n"
                        "Huge=99999999999\r\nTrailing=12abc\r\n[Other]\r\nAddMinute=99\r\n"
                        "[OPTION]\r\nLate=only in a second section of the same name\r\nWide=";
    writeBytes(path, QByteArray(data, sizeof data - 1) + QString(200, u'é').toUtf8());
    const char* reads[][3] = {{"Option", "addminute", "15"},  {"OTHER", "AddMinute", "99"},
                              {"Option", "Empty", "d"},       {"", "Stray", "d"},
                              {"Option", "; a comment", "d"}, {"Option", "Late", "d"},
                              {"Option", "Padded", "ab"}};
    for (const auto& [section, key, value] : reads)
        EXPECT_EQ(file.ReadIniString(section, key, "d"), QString::fromUtf8(value)) << key;
    EXPECT_EQ(file.ReadIniInt("Option", "Huge", 5), INT32_MAX);
    EXPECT_EQ(file.ReadIniInt("Option", "Trailing", 5), 12);
    EXPECT_EQ(ReadIniInt16(file, "Option", "Huge", 5), 5); // a 16-bit field: absent
    file.WriteIniString("Option", "Wide", QString(200, u'é'));
    EXPECT_EQ(file.ReadIniString("Option", "Wide", ""), QString(127, u'é'));
}

TEST_F(SettingsFileTest, WriteReplacesTheKeyInPlaceAndKeepsEveryOtherByte) {
    const QByteArray before = "\xEF\xBB\xBF[Option]\r\nHotKey=665\r\n"
                              "Unknown = kept as it is \r\n\r\n; trailing comment\r\n[Zeta]\r\nZ=1";
    writeBytes(path, before);
    ASSERT_TRUE(file.WriteIniString("option", "Hotkey", "577"));
    // A new key goes after the last key line of its section, a new section to the end;
    // the file's line ends are used for new lines.
    ASSERT_TRUE(file.WriteIniStrings("Option", {{"AddMinute", "5"}, {"New", "a\nb"}}));
    ASSERT_TRUE(file.WriteIniString("MainForm", "Left", "-15"));
    ASSERT_TRUE(file.WriteIniString("Zeta", "Y", "2"));
    QByteArray expected = before;
    expected.replace("HotKey=665", "Hotkey=577");
    expected.replace("kept as it is \r\n", "kept as it is \r\nAddMinute=5\r\nNew=ab\r\n");
    expected += "\r\nY=2\r\n[MainForm]\r\nLeft=-15\r\n";
    EXPECT_EQ(readBytes(path), expected);
    SettingsFile nested(dir.filePath("a/b/plimset.ini")); // folders are made
    ASSERT_TRUE(nested.WriteIniString("Option", "Width", "200"));
}

TEST_F(SettingsFileTest, NoValueOrNameCanAddKeysOrSections) {
    ASSERT_TRUE(
        file.WriteIniString("Option", "MessageBoxTextA1_E", "line\r\n[Advanced]\nMaxCol=9999"));
    EXPECT_EQ(file.ReadIniString("Option", "MessageBoxTextA1_E", ""), "line[Advanced]MaxCol=9999");
    const QByteArray before = readBytes(path);
    const char* refused[][2] = {{"Option", "Max=Col"},
                                {"Option", "[Advanced"},
                                {"Option", ";Key"},
                                {"Option", ""},
                                {"Adv]anced", "Key"}};
    for (const auto& [section, key] : refused)
        EXPECT_FALSE(file.WriteIniString(section, key, "1")) << section << key;
    // One bad name refuses the whole batch.
    EXPECT_FALSE(file.WriteIniStrings("Option", {{"AddMinute", "30"}, {"a=b", "1"}}));
    EXPECT_EQ(readBytes(path), before);
    // A byte-order mark before a name is no part of it.
    ASSERT_TRUE(file.WriteIniString(QChar(0xFEFF) + QStringLiteral("Option"), "Marked", "2"));
    EXPECT_EQ(file.ReadIniString("Option", QChar(0xFEFF) + QStringLiteral("Marked"), ""), "2");
}

TEST_F(SettingsFileTest, ConcurrentWritersNeverLoseEachOthersKeys) {
    constexpr int Count = 500;
    QProcess helper;
    helper.start(QStringLiteral(PLIMSET_WRITE_KEYS_HELPER),
                 {path, "Keys", "Other", QString::number(Count)});
    ASSERT_TRUE(helper.waitForStarted());
    ASSERT_TRUE(helper.waitForReadyRead(30000));
    // A write may fail when the other writer keeps the lock past the bounded wait (a busy
    // machine can stall it that long); what matters is that no write reported as done is lost.
    QSet<int> written;
    for (int i = 0; i < Count; ++i)
        if (file.WriteIniString("Keys", "Own" + QString::number(i), QString::number(i)))
            written.insert(i);
    ASSERT_TRUE(helper.waitForFinished(120000));
    QSet<QByteArray> helperFailed;
    for (const QByteArray& line : helper.readAllStandardOutput().split('\n'))
        if (line.startsWith("failed "))
            helperFailed.insert(line.mid(7));
    EXPECT_TRUE(!written.isEmpty() && helperFailed.size() < Count);

    const QList<QByteArray> lines = readBytes(path).split('\n');
    const QSet<QByteArray> present(lines.begin(), lines.end());
    int lost = 0;
    for (int i = 0; i < Count; ++i) {
        const QByteArray number = QByteArray::number(i);
        lost += written.contains(i) && !present.contains("Own" + number + "=" + number);
        lost +=
            !helperFailed.contains(number) && !present.contains("Other" + number + "=" + number);
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(lines.count("[Keys]"), 1);
}

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
