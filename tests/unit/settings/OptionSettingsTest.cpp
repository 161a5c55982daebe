#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace plimset;

namespace {

class OptionSettingsTest : public ::testing::Test {
protected:
    OptionSettings load(const QByteArray& contents,
                        const QString& defaultSound = "/snd/alarm.oga") {
        writeBytes(path, contents);
        MessageTextDefaults messages;
        messages.A1_E = "set time";
        return LoadOptionSettings(SettingsFile(path), defaultSound, messages);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
};

} // namespace

TEST_F(OptionSettingsTest, PresetsReadTheirNumbersAndMaxColSizesThem) {
    using std::chrono::minutes;
    const OptionSettings s = load("[Option]\nAlarm1=2.5\nAlarm2=abc\nAlarm3=3.5\n"
                                  "CountDown1=1.30\nCountDown2=1e300\nCountDown3=0\n");
    EXPECT_EQ(s.alarmPresets, (std::vector<minutes>{minutes(2), minutes(0), minutes(4), minutes(0),
                                                    minutes(0), minutes(0)}));
    EXPECT_EQ(s.alarmCount, 2);
    EXPECT_FLOAT_EQ(s.countDownPresets[0].count(), 90);
    EXPECT_EQ(s.countDownPresets[1], Seconds(0)); // too large for a time value: an empty slot
    EXPECT_EQ(s.countDownCount, 1);

    const OptionSettings eight = load("[Advanced]\nMaxCol=8\n[Option]\nAlarm7=45\n");
    EXPECT_EQ(eight.alarmPresets[6], minutes(45));
    EXPECT_EQ(eight.alarmPresets.size(), 9u);
    EXPECT_EQ(eight.countDownPresets[2], Seconds(300));
    EXPECT_EQ(eight.alarmCount, 4);
    EXPECT_EQ(load("[Advanced]\nMaxCol=30000\n").presetSlots, plimset::MaxColCeiling);
}

TEST_F(OptionSettingsTest, OlderRingingTimeSetsMissingDurations) {
    const OptionSettings both = load("[Option]\nRingingTime=0.10\n");
    EXPECT_EQ(std::tie(both.ringDuration, both.displayDuration),
              std::make_tuple(Seconds(10), Seconds(10)));
    const OptionSettings one = load("[Option]\nRingingTime=0.10\nRingDuration=0.05\n");
    EXPECT_EQ(std::tie(one.ringDuration, one.displayDuration),
              std::make_tuple(Seconds(5), Seconds(10)));
}

TEST(LargestTime, FollowsLengthAndSeparator) {
    EXPECT_EQ(LargestTime(8, TimeSeparator::Colon), std::chrono::hours(100)); // h:mm:ss
    EXPECT_EQ(LargestTime(7, TimeSeparator::Colon), std::chrono::minutes(10000));
    EXPECT_EQ(LargestTime(8, TimeSeparator::Dot), std::chrono::minutes(100000));
}

// Files with every key set, values outside their ranges, garbage, huge numbers and names
// written in any case are seeds of the settings corpus (SettingsCorpusTest).

TEST_F(OptionSettingsTest, WithoutASoundFileTheFileSourceBecomesTheBeep) {
    EXPECT_EQ(load("[Option]\nSoundFile=\n", "").soundSource, SoundSource::Beep);
    EXPECT_EQ(load("[Option]\nSoundFlag=2\n", "").soundSource, SoundSource::None);
    const OptionSettings file = load("[Option]\nSoundFile=\n");
    EXPECT_EQ(std::tie(file.soundSource, file.soundFile),
              std::make_tuple(SoundSource::File, QString("/snd/alarm.oga")));
}
