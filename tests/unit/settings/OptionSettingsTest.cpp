#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace plimset;

namespace {

using Fields = std::map<std::string, std::string>;

template <class T> std::string joined(const std::vector<T>& values, float (*value)(T)) {
    std::string text;
    for (const T v : values) {
        text += QString::number(value(v)).toStdString() + ' ';
    }
    return text;
}

// Every field of the record by its key, as it would be stored, so that a case names the
// fields it expects to differ from an empty file's record and a change in any other field
// fails it.
Fields fieldsOf(const OptionSettings& s) {
    Fields f;
    for (const OptionKey& row : OptionTable()) {
        f[row.key] = StoredText(s, row).toStdString();
    }
    f["AlarmCount"] = std::to_string(s.alarmCount);
    f["CountDownCount"] = std::to_string(s.countDownCount);
    f["AlarmPresets"] = joined<std::chrono::minutes>(
        s.alarmPresets, [](std::chrono::minutes m) { return float(m.count()); });
    f["CountDownPresets"] = joined<Seconds>(s.countDownPresets, DurationTimeValue);
    f["MaxTimeValue"] = QString::number(DurationTimeValue(s.largestTime)).toStdString();
    return f;
}

// "Name=value" lines as fields.
Fields fields(const std::string& lines) {
    Fields result;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) {
        result[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return result;
}

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

// What loading gives for files with every key set, values outside their ranges, garbage,
// huge numbers and differently written names: each case lists the fields that differ from
// an empty file's record.
TEST_F(OptionSettingsTest, EveryFieldOfTheRecordForVariedFiles) {
    const Fields empty = fieldsOf(load(""));
    // Defaults that come from outside the table: the sound and the message texts given.
    EXPECT_EQ(empty.at("SoundFile"), "/snd/alarm.oga");
    EXPECT_EQ(empty.at("MessageBoxTextA1_E"), "set time");

    // Every key set to a value of its range other than its default, read back as written.
    const std::string advanced = "MaxCol=3\nModeOrder=321\nButtonStyle=0\nTimeSeparator=0\n";
    const std::string option =
        "AddMinute=20\nCountDownRepeat=1\nSoundFlag=2\nSoundFile=/s.wav\nSoundBeep=3\n"
        "SoundUntilEnd=1\nMessageBox=0\nRingDuration=0.2\nDisplayDuration=2\n"
        "MessageBoxSize=1.5\nTaskTray=1\nTaskBar=0\nProgress=1\nShowAlways=1\nMaxLength=7\n"
        "HotKey=665\nLanguage=2\nMessageBoxTextA1_E=a\nMessageBoxTextA2_E=b\n"
        "MessageBoxTextA1_J=c\nMessageBoxTextA2_J=d\nMessageBoxTextC1_E=e\n"
        "MessageBoxTextC2_E=f\nMessageBoxTextC1_J=g\nMessageBoxTextC2_J=h\n";
    const std::string presets = "Alarm1=5\nAlarm2=0\nAlarm3=15\nCountDown1=0.30\n"
                                "CountDown2=1\nCountDown3=0\n";

    struct Case {
        std::string file;
        std::string changed;
        QString defaultSound = "/snd/alarm.oga";
    };
    const Case cases[] = {
        {"[Advanced]\n" + advanced + "[Option]\n" + option + presets,
         advanced + option +
             "AlarmCount=2\nCountDownCount=2\nAlarmPresets=5 0 15 0 \n"
             "CountDownPresets=0.3 1 0 0 \nMaxTimeValue=10000\n"},
        // Every range from below and from above: all take their defaults.
        {"[Advanced]\nMaxCol=0\nModeOrder=2 1 3\nButtonStyle=-1\nTimeSeparator=-1\n[Option]\n"
         "AddMinute=0\nSoundFlag=-1\nSoundBeep=-1\nMaxLength=4\nLanguage=-1\n"
         "MessageBoxSize=-2\nRingDuration=-0.01\nDisplayDuration=-1\n",
         ""},
        {"[Advanced]\nMaxCol=70000\nModeOrder=12\nTimeSeparator=2\nButtonStyle=3\n[Option]\n"
         "MaxLength=9\nLanguage=3\nSoundFlag=5\nMessageBoxSize=0\nAddMinute=100\n"
         "SoundBeep=32768\nHotkey=70000\n",
         ""},
        {"[Advanced]\nModeOrder=  312  \n", "ModeOrder=312\n"},
        {"[Option]\nAddMinute=abc\nTaskBar=x\nHotkey=12abc\nMessageBoxSize=abc\n"
         "RingDuration=abc\nDisplayDuration=nan\nAlarm1=abc\nCountDown1=&H10\n",
         "TaskBar=0\nHotKey=12\nRingDuration=0\nDisplayDuration=0\nAlarmCount=2\n"
         "AlarmPresets=0 30 60 0 0 0 \nCountDownPresets=16 4 5 0 0 0 \n"},
        {"[Option]\nTaskTray=70000\nSoundBeep=99999999999\nMessageBox=-32769\n"
         "MessageBoxSize=1e39\nDisplayDuration=1e300\nAlarm2=99999\nCountDown2=-1e300\n",
         "AlarmPresets=10 32767 60 0 0 0 \nCountDownCount=2\nCountDownPresets=3 0 5 0 0 0 \n"},
        {"[option]\r\n hotkey = 665 \r\nMAXLENGTH=8\r\n[ADVANCED]\r\nTimeSeparator=0\r\n",
         "HotKey=665\nMaxLength=8\nTimeSeparator=0\nMaxTimeValue=100000\n"},
        {"[Option]\nRingingTime=-1\n", ""},
        // Keys count only in their own section.
        {"[Option]\nMaxCol=8\nModeOrder=123\n[Advanced]\nAddMinute=5\nAlarm1=7\n", ""},
        // Without a sound file the file choice becomes the beep; the other choices stay. An
        // empty value counts as none.
        {"[Option]\nSoundFile=\n", ""},
        {"[Option]\nSoundFile=\n", "SoundFile=\nSoundFlag=0\n", ""},
        {"[Option]\nSoundFlag=2\n", "SoundFile=\nSoundFlag=2\n", ""},
    };
    for (const Case& c : cases) {
        Fields expected = fields(c.changed);
        expected.insert(empty.begin(), empty.end());
        EXPECT_EQ(fieldsOf(load(QByteArray::fromStdString(c.file), c.defaultSound)), expected)
            << c.file;
    }
}
