#include "settings/SaveOptionSettings.h"
#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace plimset;

namespace {

class SaveOptionSettingsTest : public ::testing::Test {
protected:
    OptionSettings Loaded() {
        return LoadOptionSettings(file, QString(),
                                  MessageTextDefaults{"a", "b", "c", "d", "e", "f"});
    }
    // The [Option] lines of the file, in their order.
    QStringList OptionLines() const {
        QStringList lines = QString::fromUtf8(readBytes(path)).split(u'\n', Qt::SkipEmptyParts);
        const qsizetype start = lines.indexOf("[Option]");
        return start < 0 ? QStringList() : lines.mid(start + 1);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    SettingsFile file{path};
};

} // namespace

TEST(SaveOptionSettingsText, CountDownPresetsKeepTwoDecimalsWithoutALeadingZero) {
    EXPECT_EQ(CountDownPresetText(0.5f), ".50");
    EXPECT_EQ(CountDownPresetText(1.3f), "1.30");
    EXPECT_EQ(CountDownPresetText(2), "2");
    EXPECT_EQ(CountDownPresetText(0), "0");
    EXPECT_EQ(SingleText(0.03f), "0.03");
    EXPECT_EQ(SingleText(1), "1");
    EXPECT_EQ(SingleText(1.5f), "1.5");
}

TEST_F(SaveOptionSettingsTest, WritesOnlyTheChangedKeysInTheirOrderAndFormats) {
    writeBytes(path, "[Advanced]\nMaxCol=5\n[Option]\nLanguage=0\n");
    OptionSettings current = Loaded();
    OptionSettings edited = current;
    edited.AlarmPresets = {0, 15, 0, 40, 0, 0};
    edited.CountDownPresets = {0.5f, 1.3f, 2, 0, 0, 0};
    edited.SoundFlag = 2;
    edited.SoundFile = "/ignored.wav"; // not the chosen source
    edited.SoundBeep = 4;
    edited.RingDuration = 0.1f;
    edited.Hotkey = 665;
    edited.MessageBoxTextC2_J = "x";
    ASSERT_TRUE(SaveOptionSettings(file, current, edited));

    EXPECT_EQ(OptionLines(),
              (QStringList{"Language=0", "Alarm1=15", "Alarm2=40", "Alarm3=0", "CountDown1=.50",
                           "CountDown2=1.30", "CountDown3=2", "SoundFlag=2", "RingDuration=0.1",
                           "HotKey=665", "MessageBoxTextC2_J=x"}));
    EXPECT_EQ(current.AlarmPresets, (std::vector<qint16>{15, 40, 0, 0, 0, 0}));
    EXPECT_EQ(current.AlarmCount, 2);
    EXPECT_EQ(current.CountDownCount, 3);
    EXPECT_EQ(current.SoundFile, QString());
    EXPECT_EQ(current.SoundBeep, 10);
    EXPECT_EQ(current.Hotkey, 665);
    // [Advanced] stays as the user wrote it.
    EXPECT_TRUE(readBytes(path).startsWith("[Advanced]\nMaxCol=5\n[Option]\n"));

    // A second save of the same values writes nothing at all.
    const QDateTime before = QFileInfo(path).lastModified();
    const QByteArray text = readBytes(path);
    OptionSettings again = current;
    ASSERT_TRUE(SaveOptionSettings(file, current, again));
    EXPECT_EQ(readBytes(path), text);
    EXPECT_EQ(QFileInfo(path).lastModified(), before);
}

TEST_F(SaveOptionSettingsTest, TheSoundFileAndBeepCountAreWrittenOnlyForTheirOwnSource) {
    OptionSettings current = Loaded();
    OptionSettings edited = current;
    edited.SoundFlag = 1;
    edited.SoundFile = "/x.oga";
    edited.SoundBeep = 3;
    ASSERT_TRUE(SaveOptionSettings(file, current, edited));
    EXPECT_EQ(OptionLines(), (QStringList{"SoundFlag=1", "SoundFile=/x.oga"}));
    EXPECT_EQ(current.SoundBeep, 10);

    edited.SoundFlag = 0;
    ASSERT_TRUE(SaveOptionSettings(file, current, edited));
    EXPECT_EQ(OptionLines(), (QStringList{"SoundFlag=0", "SoundFile=/x.oga", "SoundBeep=3"}));
}

TEST_F(SaveOptionSettingsTest, AFailedWriteStillGivesTheLiveRecordTheNewValues) {
    // A folder that cannot exist: a file stands where it would be.
    writeBytes(dir.filePath("blocker"), "x");
    SettingsFile unwritable(dir.filePath("blocker") + "/plimset.ini");
    OptionSettings current = Loaded();
    OptionSettings edited = current;
    edited.AddMinute = 5;
    EXPECT_FALSE(SaveOptionSettings(unwritable, current, edited));
    EXPECT_EQ(current.AddMinute, 5);
}

TEST_F(SaveOptionSettingsTest, ABatchOfKeysLandsInOneWriteAndKeepsTheOtherLines) {
    writeBytes(path, "; mine\r\n[Option]\r\nAddMinute=10\r\nOwn=kept\r\n[MainForm]\r\nLeft=5\r\n");
    ASSERT_TRUE(file.WriteIniStrings("Option", {{"AddMinute", "20"}, {"New", "a\nb"}}));
    EXPECT_EQ(readBytes(path), "; mine\r\n[Option]\r\nAddMinute=20\r\nOwn=kept\r\nNew=ab\r\n"
                               "[MainForm]\r\nLeft=5\r\n");
    ASSERT_TRUE(file.WriteIniStrings("Fresh", {{"K", "1"}}));
    EXPECT_TRUE(readBytes(path).endsWith("Left=5\r\n[Fresh]\r\nK=1\r\n"));
    // One bad name refuses the whole batch.
    EXPECT_FALSE(file.WriteIniStrings("Option", {{"AddMinute", "30"}, {"a=b", "1"}}));
    EXPECT_EQ(file.ReadIniString("Option", "AddMinute", ""), "20");
    EXPECT_TRUE(file.WriteIniStrings("Option", {}));
}
