#include "settings/SettingsFile.h"
#include "SettingsTestFiles.h"

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
    // NUL characters count as blanks, so a value made of them is empty.
    const char data[] = "\xEF\xBB\xBFStray=before any section\r\n; a comment=not a key\r\n"
                        "[ option ]\r\n  AddMinute =  15  \r\nEmpty=\r\nName=Ab\xC3\xA9 c\r\n"
                        "Nul=\0\0\0\r\nPadded=\0ab\0\0\r\n[Other]\r\nAddMinute=99\r\n"
                        "[OPTION]\r\nLate=only in a second section of the same name\r\n";
    writeBytes(path, QByteArray(data, sizeof data - 1));
    // clang-format off
    const char* reads[][3] = {
        {"Option", "addminute", "15"}, {"OTHER", "AddMinute", "99"}, {"Option", "Empty", "d"},
        {"Option", "Name", "Ab\xC3\xA9 c"}, {"Missing", "AddMinute", "d"}, {"", "Stray", "d"},
        {"Option", "; a comment", "d"}, {"Option", "Late", "d"}, {"Option", "Nul", "d"},
        {"Option", "Padded", "ab"}};
    // clang-format on
    for (const auto& [section, key, value] : reads) {
        EXPECT_EQ(file.ReadIniString(section, key, "d"), QString::fromUtf8(value)) << key;
    }
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
}

TEST_F(SettingsFileTest, WriteCreatesFolderFileAndSection) {
    SettingsFile nested(dir.filePath("a/b/plimset.ini"));
    ASSERT_TRUE(nested.WriteIniString("Option", "Width", "200"));
    ASSERT_TRUE(nested.WriteIniString("Option", "Height", "80"));
    EXPECT_EQ(readBytes(nested.path()), "[Option]\nWidth=200\nHeight=80\n");
    // Not where a plain file stands in the folder's place.
    EXPECT_FALSE(SettingsFile(dir.filePath("a/b/plimset.ini/x.ini")).WriteIniString("A", "B", "C"));

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
    // clang-format off
    const char* refused[][2] = {{"Option", "Max=Col"}, {"Option", "[Advanced"}, {"Option", ";Key"},
                                {"Option", ""}, {"Adv]anced", "Key"}};
    // clang-format on
    for (const auto& [section, key] : refused) {
        EXPECT_FALSE(file.WriteIniString(section, key, "1")) << section << key;
    }
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
    for (int i = 0; i < Count; ++i) {
        if (file.WriteIniString("Keys", "Own" + QString::number(i), QString::number(i)))
            written.insert(i);
    }
    ASSERT_TRUE(helper.waitForFinished(120000));
    QSet<QByteArray> helperFailed;
    for (const QByteArray& line : helper.readAllStandardOutput().split('\n'))
        if (line.startsWith("failed "))
            helperFailed.insert(line.mid(7));
    EXPECT_FALSE(written.isEmpty());
    EXPECT_LT(helperFailed.size(), Count);

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
