#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace plimset;
using std::chrono::minutes;

namespace {

class OptionSettingsTest : public ::testing::Test {
protected:
    OptionSettings Load(const QByteArray& contents) {
        writeBytes(path, contents);
        file.Reload();
        return LoadOptionSettings(file, "/snd/alarm.oga", MessageTextDefaults{});
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    SettingsFile file{path};
};

} // namespace

// Files with every key set, values outside their ranges, garbage, huge numbers and names
// written in any case are seeds of the settings corpus (SettingsCorpusTest).
TEST_F(OptionSettingsTest, PresetsReadTheirNumbersAndDurationsFallBackOnRingingTime) {
    const OptionSettings s = Load("[Option]\nAlarm1=2.5\nAlarm2=abc\nAlarm3=3.5\nCountDown1=1.30\n"
                                  "CountDown2=1e300\nCountDown3=0\nRingingTime=0.10\n"
                                  "RingDuration=0.05\n");
    EXPECT_EQ(s.alarmPresets, (std::vector<minutes>{minutes(2), minutes(0), minutes(4), minutes(0),
                                                    minutes(0), minutes(0)}));
    EXPECT_EQ(s.alarmCount, 2);
    EXPECT_FLOAT_EQ(s.countDownPresets[0].count(), 90);
    EXPECT_EQ(s.countDownPresets[1], Seconds(0)); // too large for a time value: an empty slot
    EXPECT_EQ(s.countDownCount, 1);
    EXPECT_EQ(std::tie(s.ringDuration, s.displayDuration), std::tuple(Seconds(5), Seconds(10)));
    const OptionSettings eight = Load("[Advanced]\nMaxCol=8\n[Option]\nAlarm8=45\n");
    EXPECT_EQ(eight.alarmPresets[7], minutes(45));
    EXPECT_EQ(eight.alarmPresets.size(), 9u);
}

TEST_F(OptionSettingsTest, SaveWritesOnlyTheChangedKeysInTheirOrderAndFormats) {
    OptionSettings current = Load("[Advanced]\nMaxCol=5\n[Option]\nLanguage=0\n");
    OptionSettings edited = current;
    edited.alarmPresets = {minutes(0),  minutes(15), minutes(0),
                           minutes(40), minutes(0),  minutes(0)};
    edited.countDownPresets = {Seconds(50), Seconds(90), Seconds(120),
                               Seconds(0),  Seconds(0),  Seconds(0)};
    edited.soundSource = SoundSource::None;
    edited.beepCount = 4; // not the chosen source
    edited.hotkey = 665;
    ASSERT_TRUE(SaveOptionSettings(file, current, edited));
    EXPECT_EQ(readBytes(path), "[Advanced]\nMaxCol=5\n[Option]\nLanguage=0\nAlarm1=15\nAlarm2=40\n"
                               "Alarm3=0\nCountDown1=.50\nCountDown2=1.30\nCountDown3=2\n"
                               "SoundFlag=2\nHotKey=665\n");
    EXPECT_EQ(std::tie(current.alarmCount, current.countDownCount, current.hotkey),
              std::tuple(2, 3, 665));

    // A save that cannot be written still gives the live record the new values.
    writeBytes(dir.filePath("blocker"), "x");
    SettingsFile unwritable(dir.filePath("blocker") + "/plimset.ini");
    edited.minutesToAdd = minutes(5);
    EXPECT_FALSE(SaveOptionSettings(unwritable, current, edited));
    EXPECT_EQ(current.minutesToAdd, minutes(5));
}
