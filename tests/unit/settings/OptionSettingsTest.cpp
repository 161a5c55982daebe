#include "settings/OptionSettings.h"
#include "SettingsTestFiles.h"
#include "settings/SettingsFile.h"

#include <QStringList>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>
#include <vector>

using namespace plimset;

namespace {

using Fields = std::map<std::string, std::string>;

std::string text(qint16 value) {
    return std::to_string(value);
}

// The shortest fixed-point text that reads back as the same single.
std::string text(float value) {
    char digits[64];
    return {digits,
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed).ptr};
}

std::string text(const QString& value) {
    return value.toStdString();
}

template <class T> std::string text(const std::vector<T>& values) {
    std::string joined;
    for (const T value : values) {
        joined += text(value) + ' ';
    }
    return joined;
}

// Every field of the record by name, so that a case names the fields it expects to differ
// from an empty file's record and a change in any other field fails it.
#define FIELD(name) Fields::value_type(#name, text(s.name))
Fields fieldsOf(const OptionSettings& s) {
    // clang-format off
    return {FIELD(MaxCol), FIELD(ModeOrder), FIELD(ButtonStyle), FIELD(TimeSeparator),
        FIELD(AlarmCount), FIELD(CountDownCount), FIELD(AlarmPresets), FIELD(CountDownPresets),
        FIELD(AddMinute), FIELD(CountDownRepeat), FIELD(SoundFlag), FIELD(SoundFile),
        FIELD(SoundBeep), FIELD(SoundUntilEnd), FIELD(MessageBox), FIELD(RingDuration),
        FIELD(DisplayDuration), FIELD(MessageBoxSize), FIELD(TaskTray), FIELD(TaskBar),
        FIELD(Progress), FIELD(ShowAlways), FIELD(MaxLength), FIELD(Hotkey), FIELD(Language),
        FIELD(MessageBoxTextA1_E), FIELD(MessageBoxTextA2_E), FIELD(MessageBoxTextA1_J),
        FIELD(MessageBoxTextA2_J), FIELD(MessageBoxTextC1_E), FIELD(MessageBoxTextC2_E),
        FIELD(MessageBoxTextC1_J), FIELD(MessageBoxTextC2_J), FIELD(MaxTimeValue)};
    // clang-format on
}
#undef FIELD

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
    EXPECT_EQ(load("[Advanced]\nMaxCol=30000\n").MaxCol, plimset::MaxColCeiling);
}

TEST_F(OptionSettingsTest, OlderRingingTimeSetsMissingDurations) {
    const OptionSettings both = load("[Option]\nRingingTime=0.10\n");
    EXPECT_EQ(std::tie(both.RingDuration, both.DisplayDuration), std::make_tuple(0.1f, 0.1f));
    const OptionSettings one = load("[Option]\nRingingTime=0.10\nRingDuration=0.05\n");
    EXPECT_EQ(std::tie(one.RingDuration, one.DisplayDuration), std::make_tuple(0.05f, 0.1f));
}

TEST(MaxTimeValue, FollowsLengthAndSeparator) {
    EXPECT_EQ(MaxTimeValue(8, 1), 6000.0f);
    EXPECT_EQ(MaxTimeValue(7, 1), 10000.0f);
    EXPECT_EQ(MaxTimeValue(8, 0), 100000.0f);
    EXPECT_TRUE(std::isfinite(MaxTimeValue(32767, 0)));
}

// What loading gives for files with every key set, values outside their ranges, garbage,
// huge numbers and differently written names: each case lists the fields that differ from
// an empty file's record, which is checked in full first.
TEST_F(OptionSettingsTest, EveryFieldOfTheRecordForVariedFiles) {
    const Fields empty = {{"MaxCol", "5"},
                          {"ModeOrder", "213"},
                          {"ButtonStyle", "2"},
                          {"TimeSeparator", "1"},
                          {"AlarmCount", "3"},
                          {"CountDownCount", "3"},
                          {"AlarmPresets", "10 30 60 0 0 0 "},
                          {"CountDownPresets", "3 4 5 0 0 0 "},
                          {"AddMinute", "10"},
                          {"CountDownRepeat", "0"},
                          {"SoundFlag", "1"},
                          {"SoundFile", "/snd/alarm.oga"},
                          {"SoundBeep", "10"},
                          {"SoundUntilEnd", "0"},
                          {"MessageBox", "1"},
                          {"RingDuration", "0.03"},
                          {"DisplayDuration", "1"},
                          {"MessageBoxSize", "1"},
                          {"TaskTray", "0"},
                          {"TaskBar", "1"},
                          {"Progress", "0"},
                          {"ShowAlways", "0"},
                          {"MaxLength", "6"},
                          {"Hotkey", "0"},
                          {"Language", "0"},
                          {"MessageBoxTextA1_E", "set time"},
                          {"MessageBoxTextA2_E", ""},
                          {"MessageBoxTextA1_J", ""},
                          {"MessageBoxTextA2_J", ""},
                          {"MessageBoxTextC1_E", ""},
                          {"MessageBoxTextC2_E", ""},
                          {"MessageBoxTextC1_J", "japanese end"},
                          {"MessageBoxTextC2_J", ""},
                          {"MaxTimeValue", "1000"}};
    ASSERT_EQ(fieldsOf(load("")), empty);

    QByteArray everyKey = "[Advanced]\nMaxCol=3\nModeOrder=321\nButtonStyle=0\nTimeSeparator=0\n"
                          "[Option]\nAlarm1=5\nAlarm2=0\nAlarm3=15\nCountDown1=0.30\n"
                          "CountDown2=1\nCountDown3=0\nSoundFlag=2\nSoundFile=/s.wav\n"
                          "RingDuration=0.20\nDisplayDuration=2\nMessageBoxSize=1.5\nHotKey=665\n";
    Fields everyValue = {{"MaxCol", "3"},
                         {"ModeOrder", "321"},
                         {"ButtonStyle", "0"},
                         {"TimeSeparator", "0"},
                         {"AlarmCount", "2"},
                         {"CountDownCount", "2"},
                         {"AlarmPresets", "5 0 15 0 "},
                         {"CountDownPresets", "0.3 1 0 0 "},
                         {"SoundFlag", "2"},
                         {"SoundFile", "/s.wav"},
                         {"RingDuration", "0.2"},
                         {"DisplayDuration", "2"},
                         {"MessageBoxSize", "1.5"},
                         {"Hotkey", "665"},
                         {"MaxTimeValue", "10000"}};
    const QList<std::pair<const char*, const char*>> others = {{"AddMinute", "20"},
                                                               {"CountDownRepeat", "1"},
                                                               {"SoundBeep", "3"},
                                                               {"SoundUntilEnd", "1"},
                                                               {"MessageBox", "0"},
                                                               {"TaskTray", "1"},
                                                               {"TaskBar", "0"},
                                                               {"Progress", "1"},
                                                               {"ShowAlways", "1"},
                                                               {"MaxLength", "7"},
                                                               {"Language", "2"},
                                                               {"MessageBoxTextA1_E", "a"},
                                                               {"MessageBoxTextA2_E", "b"},
                                                               {"MessageBoxTextA1_J", "c"},
                                                               {"MessageBoxTextA2_J", "d"},
                                                               {"MessageBoxTextC1_E", "e"},
                                                               {"MessageBoxTextC2_E", "f"},
                                                               {"MessageBoxTextC1_J", "g"},
                                                               {"MessageBoxTextC2_J", "h"}};
    for (const auto& [key, value] : others) {
        everyKey += QByteArray(key) + '=' + value + '\n';
        everyValue[key] = value;
    }

    struct Case {
        QByteArray file;
        Fields changed;
        QString defaultSound = "/snd/alarm.oga";
    };
    const Case cases[] = {
        {everyKey, everyValue},
        // Every range from below and from above: all take their defaults.
        {"[Advanced]\nMaxCol=0\nModeOrder=2 1 3\nButtonStyle=-1\nTimeSeparator=-1\n[Option]\n"
         "AddMinute=0\nSoundFlag=-1\nSoundBeep=-1\nMaxLength=4\nLanguage=-1\n"
         "MessageBoxSize=-2\nRingDuration=-0.01\nDisplayDuration=-1\n",
         {}},
        {"[Advanced]\nMaxCol=70000\nModeOrder=12\nTimeSeparator=2\nButtonStyle=3\n[Option]\n"
         "MaxLength=9\nLanguage=3\nSoundFlag=5\nMessageBoxSize=0\nAddMinute=100\n"
         "SoundBeep=32768\nHotkey=70000\n",
         {}},
        {"[Advanced]\nModeOrder=  312  \n", {{"ModeOrder", "312"}}},
        {"[Option]\nAddMinute=abc\nTaskBar=x\nHotkey=12abc\nMessageBoxSize=abc\n"
         "RingDuration=abc\nDisplayDuration=nan\nAlarm1=abc\nCountDown1=&H10\n",
         {{"TaskBar", "0"},
          {"Hotkey", "12"},
          {"RingDuration", "0"},
          {"DisplayDuration", "0"},
          {"AlarmCount", "2"},
          {"AlarmPresets", "0 30 60 0 0 0 "},
          {"CountDownPresets", "16 4 5 0 0 0 "}}},
        {"[Option]\nTaskTray=70000\nSoundBeep=99999999999\nMessageBox=-32769\n"
         "MessageBoxSize=1e39\nDisplayDuration=1e300\nAlarm2=99999\nCountDown2=-1e300\n",
         {{"AlarmPresets", "10 32767 60 0 0 0 "},
          {"CountDownCount", "2"},
          {"CountDownPresets", "3 0 5 0 0 0 "}}},
        {"[option]\r\n hotkey = 665 \r\nMAXLENGTH=8\r\n[ADVANCED]\r\nTimeSeparator=0\r\n",
         {{"Hotkey", "665"},
          {"MaxLength", "8"},
          {"TimeSeparator", "0"},
          {"MaxTimeValue", "100000"}}},
        {"[Option]\nRingingTime=-1\n", {}},
        // Keys count only in their own section.
        {"[Option]\nMaxCol=8\nModeOrder=123\n[Advanced]\nAddMinute=5\nAlarm1=7\n", {}},
        // Without a sound file the file choice becomes the beep; the other choices stay. An
        // empty value counts as none.
        {"[Option]\nSoundFile=\n", {}},
        {"[Option]\nSoundFile=\n", {{"SoundFile", ""}, {"SoundFlag", "0"}}, ""},
        {"[Option]\nSoundFlag=2\n", {{"SoundFile", ""}, {"SoundFlag", "2"}}, ""},
    };
    for (const Case& c : cases) {
        Fields expected = c.changed;
        expected.insert(empty.begin(), empty.end());
        EXPECT_EQ(fieldsOf(load(c.file, c.defaultSound)), expected) << c.file.toStdString();
    }
}

TEST(OptionTable, NamesEachKeyAndFieldOnce) {
    QStringList keys;
    std::vector<OptionField> fields;
    for (const OptionKey& row : OptionTable()) {
        EXPECT_FALSE(keys.contains(row.key, Qt::CaseInsensitive)) << row.key;
        EXPECT_EQ(std::count(fields.begin(), fields.end(), row.field), 0) << row.key;
        keys << row.key;
        fields.push_back(row.field);
    }
    EXPECT_EQ(keys.size(), 29);
}
