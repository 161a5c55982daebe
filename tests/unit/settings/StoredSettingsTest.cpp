#include "SettingsTestFiles.h"
#include "settings/OptionTable.h"
#include "settings/SaveOptionSettings.h"
#include "settings/SettingsFile.h"
#include "settings/WindowSettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace plimset;
using std::chrono::minutes;

namespace {

// The time box's font and colours as designed; the size differs from the record's own.
const WindowSettings Design{.FontName = "Sans", .FontSize = 11, .BackColor = 0xFFFFFF};

// The option and window records read from and saved to one settings file.
class SettingsRecordTest : public ::testing::Test {
protected:
    OptionSettings Load(const QByteArray& contents) {
        writeBytes(path, contents);
        file.Reload();
        return LoadOptionSettings(file, "/snd/alarm.oga", MessageTextDefaults{});
    }
    WindowSettings Read(const QByteArray& contents) {
        writeBytes(path, contents);
        file.Reload();
        return ReadWindowSettings(file, Design);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    SettingsFile file{path};
};
using OptionSettingsTest = SettingsRecordTest;
using WindowSettingsTest = SettingsRecordTest;

} // namespace

// Files with every key set, values outside their ranges, garbage, huge numbers and names
// written in any case are seeds of the settings corpus (SettingsCorpusTest).
TEST_F(OptionSettingsTest, PresetsReadTheirNumbersAndDurationsFallBackOnRingingTime) {
    const OptionSettings s = Load("[Option]\nAlarm1=2.5\nAlarm2=abc\nAlarm3=3.5\nCountDown1=1.30\n"
                                  "CountDown2=1e300\nCountDown3=0\nRingingTime=0.10\n"
                                  "RingDuration=0.05\n");
    EXPECT_EQ(s.alarmPresets, (std::vector<minutes>{minutes(2), minutes(0), minutes(4), minutes(0),
                                                    minutes(0), minutes(0)}));
    EXPECT_FLOAT_EQ(s.countDownPresets[0].count(), 90);
    // 1e300 is too large for a time value: an empty slot.
    EXPECT_EQ(std::tie(s.alarmCount, s.countDownCount, s.countDownPresets[1], s.ringDuration,
                       s.displayDuration),
              std::tuple(2, 1, Seconds(0), Seconds(5), Seconds(10)));
    const OptionSettings eight = Load("[Advanced]\nMaxCol=8\n[Option]\nAlarm8=45\n");
    EXPECT_EQ(std::tuple(eight.alarmPresets[7], eight.alarmPresets.size()),
              std::tuple(minutes(45), 9u));
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

TEST_F(WindowSettingsTest, MissingOrUnusableKeysTakeTheDesignAndStoredKeysWin) {
    const WindowSettings fresh = ReadWindowSettings(file, Design);
    EXPECT_EQ(std::tie(fresh.Left, fresh.FontName, fresh.BackColor),
              std::make_tuple(NoStoredPosition, "Sans", 0xFFFFFF));
    const WindowSettings s = Read("[MainForm]\nStartForm=3\nLeft=-1500\nTop=300\nAlwaysOnTop=1\n"
                                  "FontName=Serif Bold\nFontSize=10.5\nFontBold=-1\n"
                                  "[Option]\nWidth=200\nHeight=80\n");
    EXPECT_EQ(
        std::tie(s.startMode, s.Left, s.Top, s.AlwaysOnTop, s.Width, s.Height, s.FontName,
                 s.FontSize, s.FontBold),
        std::make_tuple(TimerMode::StopWatch, -1500, 300, 1, 200, 80, "Serif Bold", 10.5, -1));
    for (const char* bad : {"StartForm=0\nFontSize=0", "StartForm=4\nFontSize=1e308"})
        EXPECT_EQ(Read(QByteArray("[MainForm]\n") + bad + "\n").FontSize, 11.0) << bad;
    EXPECT_EQ(Read("[MainForm]\nStartForm=70000\n").startMode, TimerMode::CountDown);
}

// Start-up placed the window and replaced the missing size by its own; a font size that
// rounds to the stored one is not written again. A window that is not in its normal state
// keeps its stored position.
TEST_F(WindowSettingsTest, SaveWritesOnlyWhatChangedInOrder) {
    WindowSettings loaded = Read("[MainForm]\nFontSize=10.1235\n");
    std::tie(loaded.Left, loaded.Top, loaded.Width, loaded.Height) = std::tuple(1200, 900, 180, 60);
    WindowSettings current = loaded;
    current.FontSize = 10.12345678;
    current.startMode = TimerMode::Alarm;
    std::tie(current.Left, current.AlwaysOnTop, current.FontBold, current.Width) =
        std::tuple(1500, -1, 1, 200);
    SaveWindowSettings(file, loaded, current, true);
    EXPECT_EQ(readBytes(path), "[MainForm]\nFontSize=10.1235\nStartForm=1\nLeft=1500\nTop=900\n"
                               "AlwaysOnTop=1\nFontBold=-1\n[Option]\nWidth=200\nHeight=60\n");
    writeBytes(path, "");
    current.Top = 0;
    SaveWindowSettings(file, loaded, current, false);
    EXPECT_EQ(readBytes(path), "[MainForm]\nStartForm=1\nFontBold=-1\n");
}

TEST(WindowPosition, StoredTwipsArePlacedToTheNearestPixelAndSavedBackWhole) {
    WindowSettings s;
    s.Left = 1500;
    s.Top = -2000;
    EXPECT_EQ(PositionInPixels(s, {}), QPoint(100, -133));           // 15 a pixel at 96 DPI
    EXPECT_EQ(PositionInPixels(s, {1.25, 1.25}), QPoint(125, -167)); // 12 at 120 DPI
    // At 110 DPI 1500 is 114.6 pixels, shown at 115, which saves as 1505 and comes back at 115.
    const ScreenScale odd{110 / 96.0, 110 / 96.0};
    SetPositionInPixels(s, PositionInPixels(s, odd), odd);
    EXPECT_EQ(s.Left, 1505);
    EXPECT_EQ(PositionInPixels(s, odd).x(), 115);
}
