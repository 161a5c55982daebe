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

TEST_F(SaveOptionSettingsTest, WritesOnlyTheChangedKeysInTheirOrderAndFormats) {
    writeBytes(path, "[Advanced]\nMaxCol=5\n[Option]\nLanguage=0\n");
    OptionSettings current = Loaded();
    OptionSettings edited = current;
    using std::chrono::minutes;
    edited.alarmPresets = {minutes(0),  minutes(15), minutes(0),
                           minutes(40), minutes(0),  minutes(0)};
    edited.countDownPresets = {Seconds(50), Seconds(90), Seconds(120),
                               Seconds(0),  Seconds(0),  Seconds(0)};
    edited.soundSource = SoundSource::None;
    edited.soundFile = "/ignored.wav"; // not the chosen source
    edited.beepCount = 4;
    edited.ringDuration = TimeValueDuration(0.1f);
    edited.hotkey = 665;
    edited.japaneseCountDownText2 = "x";
    ASSERT_TRUE(SaveOptionSettings(file, current, edited));

    EXPECT_EQ(OptionLines(),
              (QStringList{"Language=0", "Alarm1=15", "Alarm2=40", "Alarm3=0", "CountDown1=.50",
                           "CountDown2=1.30", "CountDown3=2", "SoundFlag=2", "RingDuration=0.1",
                           "HotKey=665", "MessageBoxTextC2_J=x"}));
    EXPECT_EQ(current.alarmPresets, (std::vector<minutes>{minutes(15), minutes(40), minutes(0),
                                                          minutes(0), minutes(0), minutes(0)}));
    EXPECT_EQ(current.alarmCount, 2);
    EXPECT_EQ(current.countDownCount, 3);
    EXPECT_EQ(current.soundFile, QString());
    EXPECT_EQ(current.beepCount, 10);
    EXPECT_EQ(current.hotkey, 665);
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

TEST_F(SaveOptionSettingsTest, AFailedWriteStillGivesTheLiveRecordTheNewValues) {
    // A folder that cannot exist: a file stands where it would be.
    writeBytes(dir.filePath("blocker"), "x");
    SettingsFile unwritable(dir.filePath("blocker") + "/plimset.ini");
    OptionSettings current = Loaded();
    OptionSettings edited = current;
    edited.minutesToAdd = std::chrono::minutes(5);
    EXPECT_FALSE(SaveOptionSettings(unwritable, current, edited));
    EXPECT_EQ(current.minutesToAdd, std::chrono::minutes(5));
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
