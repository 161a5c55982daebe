#include "settings/OptionSettings.h"
#include "SettingsTestFiles.h"
#include "settings/SettingsFile.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
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
        messages.C1_J = "japanese end";
        return LoadOptionSettings(SettingsFile(path), defaultSound, messages);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
};

} // namespace

TEST_F(OptionSettingsTest, AnEmptyFileGivesTheDefaultPresetsSoundAndMessages) {
    const OptionSettings s = load("");
    EXPECT_EQ(s.AlarmPresets, (std::vector<qint16>{10, 30, 60, 0, 0, 0}));
    EXPECT_EQ(s.CountDownPresets, (std::vector<float>{3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(std::tie(s.AlarmCount, s.CountDownCount), std::make_tuple(3, 3));
    EXPECT_EQ(s.SoundFile, "/snd/alarm.oga");
    EXPECT_EQ(QStringList({s.MessageBoxTextA1_E, s.MessageBoxTextA2_E, s.MessageBoxTextC1_J}),
              QStringList({"set time", "", "japanese end"}));

    // Without a sound file to play, the file choice falls back to the beep; an empty
    // value in the file counts as no value.
    EXPECT_EQ(load("[Option]\nSoundFile=\n", "").SoundFlag, 0);
    EXPECT_EQ(load("[Option]\nSoundFile=\n").SoundFile, "/snd/alarm.oga");
}

TEST_F(OptionSettingsTest, PresetsReadTheirNumbersAndMaxColSizesThem) {
    const OptionSettings s = load("[Option]\nAlarm1=2.5\nAlarm2=abc\nAlarm3=3.5\n"
                                  "CountDown1=1.30\nCountDown2=1e300\nCountDown3=0\n");
    EXPECT_EQ(s.AlarmPresets[0], 2);
    EXPECT_EQ(s.AlarmPresets[1], 0);
    EXPECT_EQ(s.AlarmPresets[2], 4);
    EXPECT_EQ(s.AlarmCount, 2);
    EXPECT_FLOAT_EQ(s.CountDownPresets[0], 1.3f);
    EXPECT_EQ(s.CountDownPresets[1], 0.0f); // too large for a time value: an empty slot
    EXPECT_EQ(s.CountDownCount, 1);

    const OptionSettings eight = load("[Advanced]\nMaxCol=8\n[Option]\nAlarm7=45\n");
    EXPECT_EQ(eight.AlarmPresets, (std::vector<qint16>{10, 30, 60, 0, 0, 0, 45, 0, 0}));
    EXPECT_EQ(eight.CountDownPresets.size(), 9u);
    EXPECT_EQ(eight.AlarmCount, 4);
}

TEST_F(OptionSettingsTest, OlderRingingTimeSetsMissingDurations) {
    const OptionSettings both = load("[Option]\nRingingTime=0.10\n");
    EXPECT_EQ(std::tie(both.RingDuration, both.DisplayDuration), std::make_tuple(0.1f, 0.1f));
    const OptionSettings one = load("[Option]\nRingingTime=0.10\nRingDuration=0.05\n");
    EXPECT_EQ(std::tie(one.RingDuration, one.DisplayDuration), std::make_tuple(0.05f, 0.1f));
}

TEST_F(OptionSettingsTest, HandEditedValuesOutsideTheDialogsRangeAreCorrected) {
    const OptionSettings s =
        load("[Advanced]\nMaxCol=70000\nModeOrder=12\nTimeSeparator=2\nButtonStyle=3\n"
             "[Option]\nMaxLength=9\nLanguage=3\nSoundFlag=5\nMessageBoxSize=0\n"
             "AddMinute=100\nSoundBeep=-1\nHotkey=70000\nRingDuration=-1\nDisplayDuration=1e300\n");
    EXPECT_EQ(std::tie(s.MaxCol, s.ModeOrder, s.TimeSeparator, s.ButtonStyle),
              std::make_tuple(5, "213", 1, 2));
    EXPECT_EQ(std::tie(s.MaxLength, s.Language, s.SoundFlag, s.AddMinute, s.SoundBeep, s.Hotkey),
              std::make_tuple(6, 0, 1, 10, 10, 0));
    EXPECT_EQ(std::tie(s.MessageBoxSize, s.RingDuration, s.DisplayDuration, s.MaxTimeValue),
              std::make_tuple(1.0f, 0.03f, 1.0f, 1000.0f));

    EXPECT_EQ(load("[Advanced]\nMaxCol=30000\n").MaxCol, plimset::MaxColCeiling);
    EXPECT_EQ(load("[Advanced]\nModeOrder=  312  \n").ModeOrder, "312");
    EXPECT_EQ(load("[Option]\nMaxLength=4\n").MaxLength, 6);
    EXPECT_FLOAT_EQ(load("[Option]\nMessageBoxSize=1.5\n").MessageBoxSize, 1.5f);
}

TEST(MaxTimeValue, FollowsLengthAndSeparator) {
    EXPECT_EQ(MaxTimeValue(8, 1), 6000.0f);
    EXPECT_EQ(MaxTimeValue(7, 1), 10000.0f);
    EXPECT_EQ(MaxTimeValue(8, 0), 100000.0f);
    EXPECT_TRUE(std::isfinite(MaxTimeValue(32767, 0)));
}
