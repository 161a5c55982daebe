#include "settings/SettingsFile.h"
#include "SettingsTestFiles.h"

#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <cstdint>
#include <gtest/gtest.h>
#include <sys/resource.h>

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
    writeBytes(path, "\xEF\xBB\xBFStray=before any section\r\n; a comment=not a key\r\n"
                     "[ option ]\r\n  AddMinute =  15  \r\nEmpty=\r\nName=Ab\xC3\xA9 c\r\n"
                     "[Other]\r\nAddMinute=99\r\n"
                     "[OPTION]\r\nLate=only in a second section of the same name\r\n");
    EXPECT_EQ(file.ReadIniString("Option", "addminute", "x"), "15");
    EXPECT_EQ(file.ReadIniString("OTHER", "AddMinute", "x"), "99");
    EXPECT_EQ(file.ReadIniString("Option", "Name", "x"), QString::fromUtf8("Ab\xC3\xA9 c"));
    EXPECT_EQ(file.ReadIniString("Option", "Empty", "dflt"), "dflt");
    EXPECT_EQ(file.ReadIniString("Missing", "AddMinute", "dflt"), "dflt");
    EXPECT_EQ(file.ReadIniString("Option", "; a comment", "dflt"), "dflt");
    EXPECT_EQ(file.ReadIniString("", "Stray", "dflt"), "dflt");
    EXPECT_EQ(SettingsFile(dir.filePath("absent.ini")).ReadIniString("Option", "A", "d"), "d");

    // NUL characters count as blanks, so a value made of them is empty.
    writeBytes(path, "[Option]\nNul=" + QByteArray(3, '\0') + "\nPadded=" + QByteArray(1, '\0') +
                         "ab" + QByteArray(2, '\0') + "\n");
    SettingsFile nul(path);
    EXPECT_EQ(nul.ReadIniString("Option", "Nul", "dflt"), "dflt");
    EXPECT_EQ(nul.ReadIniString("Option", "Padded", "dflt"), "ab");
}

TEST_F(SettingsFileTest, ReadsNumbersAndCutsLongValuesAtACharacterBoundary) {
    const QString eAcute = QString::fromUtf8("\xC3\xA9");
    writeBytes(path, "[N]\nNegative=-480000\nTrailing=12abc\nWord=abc\nEmpty=\n"
                     "Huge=99999999999\nHugeNegative=-99999999999\nSpaced= 7 \n"
                     "Ascii=" +
                         QByteArray(300, 'a') + "\nWide=" + eAcute.repeated(200).toUtf8() + "\n");
    QList<int> read;
    for (const char* key :
         {"Negative", "Trailing", "Word", "Empty", "Absent", "Huge", "HugeNegative", "Spaced"}) {
        read << file.ReadIniInt("N", key, 5);
    }
    EXPECT_EQ(read, QList<int>({-480000, 12, 0, 5, 5, INT32_MAX, INT32_MIN, 7}));
    // A 16-bit field treats a value it cannot hold as absent.
    EXPECT_EQ(ReadIniInt16(file, "N", "Negative", 5), 5);
    EXPECT_EQ(ReadIniInt16(file, "N", "Spaced", 5), 7);

    EXPECT_EQ(file.ReadIniString("N", "Ascii", ""), QString(255, u'a'));
    EXPECT_EQ(file.ReadIniString("N", "Wide", ""), eAcute.repeated(127));
    EXPECT_EQ(LeftBytes(QStringLiteral("ab") + QChar(u'\0') + u'c', 3), "ab ");
}

TEST_F(SettingsFileTest, WriteReplacesTheKeyInPlaceAndKeepsEveryOtherByte) {
    const QByteArray before = "; settings\r\n[Option]\r\nHotKey=665\r\n"
                              "Unknown = kept as it is \r\n\r\n; trailing comment\r\n"
                              "[Zeta]\r\nZ=1";
    writeBytes(path, before);

    ASSERT_TRUE(file.WriteIniString("option", "Hotkey", "577"));
    QByteArray expected = before;
    expected.replace("HotKey=665", "Hotkey=577");
    EXPECT_EQ(readBytes(path), expected);

    // A new key goes after the last key line of its section, a new section to the end;
    // the file's line ends are used for new lines.
    ASSERT_TRUE(file.WriteIniString("Option", "AddMinute", "5"));
    ASSERT_TRUE(file.WriteIniString("MainForm", "Left", "-15"));
    ASSERT_TRUE(file.WriteIniString("Zeta", "Y", "2"));
    expected.replace("kept as it is \r\n", "kept as it is \r\nAddMinute=5\r\n");
    expected += "\r\nY=2\r\n[MainForm]\r\nLeft=-15\r\n";
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(file.ReadIniInt("MainForm", "Left", 0), -15);
}

TEST_F(SettingsFileTest, WriteCreatesFolderFileAndSection) {
    SettingsFile nested(dir.filePath("a/b/plimset.ini"));
    ASSERT_TRUE(nested.WriteIniString("Option", "Width", "200"));
    ASSERT_TRUE(nested.WriteIniString("Option", "Height", "80"));
    EXPECT_EQ(readBytes(nested.path()), "[Option]\nWidth=200\nHeight=80\n");

    // A key line that is the file's first line keeps the byte-order mark before it.
    writeBytes(path, "\xEF\xBB\xBF[S]\nK=1\n");
    ASSERT_TRUE(file.WriteIniString("S", "K", "2"));
    EXPECT_EQ(readBytes(path), "\xEF\xBB\xBF[S]\nK=2\n");
}

TEST_F(SettingsFileTest, NoValueOrNameCanAddKeysOrSections) {
    ASSERT_TRUE(
        file.WriteIniString("Option", "MessageBoxTextA1_E", "line\r\n[Advanced]\nMaxCol=9999"));
    EXPECT_EQ(file.ReadIniString("Option", "MessageBoxTextA1_E", ""), "line[Advanced]MaxCol=9999");
    EXPECT_EQ(file.ReadIniInt("Advanced", "MaxCol", 5), 5);

    const QByteArray before = readBytes(path);
    EXPECT_FALSE(file.WriteIniString("Option", "Max=Col", "1"));
    EXPECT_FALSE(file.WriteIniString("Option", "[Advanced", "1"));
    EXPECT_FALSE(file.WriteIniString("Option", ";Key", "1"));
    EXPECT_FALSE(file.WriteIniString("Option", "", "1"));
    EXPECT_FALSE(file.WriteIniString("Adv]anced", "Key", "1"));
    EXPECT_EQ(readBytes(path), before);

    ASSERT_TRUE(file.WriteIniString("Opt\nion", "Ke\ry", "v"));
    EXPECT_EQ(file.ReadIniString("Option", "Key", ""), "v");

    // A byte-order mark before a name is no part of it, when written or read.
    const QString marked = QChar(0xFEFF) + QStringLiteral("Marked");
    ASSERT_TRUE(file.WriteIniString("Option", marked, "1"));
    ASSERT_TRUE(file.WriteIniString(QChar(0xFEFF) + QStringLiteral("Option"), marked, "2"));
    EXPECT_EQ(readBytes(path).count("Marked="), 1);
    EXPECT_EQ(file.ReadIniString("Option", marked, ""), "2");
    EXPECT_EQ(file.ReadIniString("Option", "Marked", ""), "2");
}

TEST_F(SettingsFileTest, AFailedWriteReportsFalseAndKeepsTheOldFile) {
    const QByteArray before = "[Option]\nAddMinute=10\n";
    writeBytes(path, before);

    // A disk that fills up in the middle of the write, simulated by a file size limit,
    // which holds for every user.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = file.WriteIniString("Option", "SoundFile", QString(500, u'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes(path), before);
    QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    EXPECT_EQ(left, QStringList({".plimset.ini.lock", "plimset.ini"}));

    // A folder that cannot be created, because a plain file stands where it should be.
    writeBytes(dir.filePath("plain"), "x");
    EXPECT_FALSE(SettingsFile(dir.filePath("plain/plimset.ini")).WriteIniString("A", "B", "C"));
}

TEST_F(SettingsFileTest, ConcurrentWritersNeverLoseEachOthersKeys) {
    constexpr int Count = 500;
    QProcess helper;
    helper.start(QStringLiteral(PLIMSET_WRITE_KEYS_HELPER),
                 {path, "Keys", "Other", QString::number(Count)});
    ASSERT_TRUE(helper.waitForStarted());
    ASSERT_TRUE(helper.waitForReadyRead(30000));

    int failures = 0;
    for (int i = 0; i < Count; ++i) {
        if (!file.WriteIniString("Keys", "Own" + QString::number(i), QString::number(i))) {
            ++failures;
        }
    }
    ASSERT_TRUE(helper.waitForFinished(120000));
    EXPECT_EQ(helper.exitCode(), 0);
    EXPECT_EQ(failures, 0);

    const QList<QByteArray> lines = readBytes(path).split('\n');
    const QSet<QByteArray> present(lines.begin(), lines.end());
    int missing = 0;
    for (int i = 0; i < Count; ++i) {
        const QByteArray number = QByteArray::number(i);
        missing += !present.contains("Own" + number + "=" + number);
        missing += !present.contains("Other" + number + "=" + number);
    }
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(lines.count("[Keys]"), 1);
}
