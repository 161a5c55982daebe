#include "settings/WindowSettings.h"
#include "SettingsTestFiles.h"
#include "settings/SettingsFile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

using namespace plimset;

namespace {

// The time box's font and colours as designed; the size differs from the record's own.
const WindowSettings Design{.FontName = "Sans", .FontSize = 11, .BackColor = 0xFFFFFF};

class WindowSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("plimset.ini"));
    SettingsFile file{path};
};

} // namespace

TEST_F(WindowSettingsTest, MissingKeysTakeTheDesignAndStoredKeysWin) {
    const WindowSettings fresh = ReadWindowSettings(file, Design);
    EXPECT_EQ(std::tie(fresh.Left, fresh.Width, fresh.FontName, fresh.FontSize, fresh.BackColor),
              std::make_tuple(NoStoredPosition, -1, "Sans", 11.0, 0xFFFFFF));

    writeBytes(path, "[MainForm]\nStartForm=3\nLeft=-1500\nTop=300\nAlwaysOnTop=1\n"
                     "FontName=Serif Bold\nFontSize=10.5\nFontBold=-1\nForeColor=255\n"
                     "[Option]\nWidth=200\nHeight=80\n");
    file.Reload(); // changed behind the object's back
    const WindowSettings s = ReadWindowSettings(file, Design);
    EXPECT_EQ(std::tie(s.startMode, s.Left, s.Top, s.AlwaysOnTop, s.Width, s.Height),
              std::make_tuple(TimerMode::StopWatch, -1500, 300, 1, 200, 80));
    EXPECT_EQ(std::tie(s.FontName, s.FontSize, s.FontBold, s.FontItalic, s.ForeColor),
              std::make_tuple("Serif Bold", 10.5, -1, 0, 255));
}

TEST_F(WindowSettingsTest, UnusableStartModesAndFontSizesAreCorrected) {
    for (const char* bad : {"StartForm=0\nFontSize=0", "StartForm=4\nFontSize=-3",
                            "StartForm=70000\nFontSize=abc", "FontSize=1e308"}) {
        writeBytes(path, QByteArray("[MainForm]\n") + bad + "\n");
        file.Reload();
        const WindowSettings s = ReadWindowSettings(file, Design);
        EXPECT_EQ(std::tie(s.startMode, s.FontSize), std::tuple(TimerMode::CountDown, 11.0)) << bad;
    }
}

TEST_F(WindowSettingsTest, SaveWritesOnlyWhatChangedInOrder) {
    WindowSettings loaded = ReadWindowSettings(file, Design);
    loaded.Left = 1200; // where the window was placed at start-up
    loaded.Top = 900;
    loaded.Width = 180; // start-up replaced the missing size by the window's own
    loaded.Height = 60;

    WindowSettings current = loaded;
    SaveWindowSettings(file, loaded, current, true);
    EXPECT_FALSE(QFile::exists(path));

    current.startMode = TimerMode::Alarm;
    current.Left = 1500;
    current.AlwaysOnTop = -1;
    current.FontSize = 10.5;
    current.FontBold = 1;
    current.Width = 200;
    SaveWindowSettings(file, loaded, current, true);
    EXPECT_EQ(readBytes(path), "[MainForm]\nStartForm=1\nLeft=1500\nTop=900\nAlwaysOnTop=1\n"
                               "FontSize=10.5\nFontBold=-1\n[Option]\nWidth=200\nHeight=60\n");
    EXPECT_EQ(loaded.AlwaysOnTop, 1);
    EXPECT_EQ(loaded.Width, 200);

    // A second save with the same window writes only what the loaded record does not
    // track; a window that is not in its normal state keeps its stored position.
    writeBytes(path, "");
    current.Top = 0;
    SaveWindowSettings(file, loaded, current, false);
    EXPECT_EQ(readBytes(path), "[MainForm]\nStartForm=1\nFontSize=10.5\nFontBold=-1\n");
}

TEST_F(WindowSettingsTest, TwoWindowsSavingAtOnceLeaveOneWholePosition) {
    // Another process saves positions whose Left and Top are equal, and so does this one.
    constexpr int Count = 300;
    QProcess other;
    other.start(QStringLiteral(PLIMSET_WRITE_KEYS_HELPER),
                {path, "positions", QString::number(Count)});
    ASSERT_TRUE(other.waitForStarted());
    ASSERT_TRUE(other.waitForReadyRead(30000));
    WindowSettings loaded;
    int torn = 0;
    for (int i = 1; i <= Count; ++i) {
        WindowSettings current = loaded;
        current.Left = current.Top = -i;
        SaveWindowSettings(file, loaded, current, true);
        loaded = current;
        const WindowSettings stored = ReadWindowSettings(SettingsFile(path), Design);
        torn += stored.Left != stored.Top;
    }
    ASSERT_TRUE(other.waitForFinished(120000));
    EXPECT_EQ(torn, 0);
}

TEST_F(WindowSettingsTest, FontSizesAreStoredToFourDecimals) {
    EXPECT_EQ(FontSizeText(10.123456), "10.1235");
    EXPECT_EQ(FontSizeText(11.99999), "12");

    // A size that rounds to the stored one is not written again.
    writeBytes(path, "[MainForm]\nFontSize=10.1235\n");
    WindowSettings loaded = ReadWindowSettings(file, Design);
    WindowSettings current = loaded;
    current.FontSize = 10.12345678;
    SaveWindowSettings(file, loaded, current, true);
    EXPECT_EQ(readBytes(path), "[MainForm]\nFontSize=10.1235\n");
}

TEST(WindowPosition, StoredTwipsArePlacedToTheNearestPixelAndSavedBackWhole) {
    WindowSettings s;
    s.Left = 1500;
    s.Top = -2000;
    EXPECT_EQ(PositionInPixels(s, {}), QPoint(100, -133));           // 15 a pixel at 96 DPI
    EXPECT_EQ(PositionInPixels(s, {1.25, 1.25}), QPoint(125, -167)); // 12 at 120 DPI
    // At 110 DPI 1500 is no whole pixel: 114.6 is shown at 115, which saves as 1505 and
    // comes back at 115 again.
    const ScreenScale odd{110 / 96.0, 110 / 96.0};
    SetPositionInPixels(s, PositionInPixels(s, odd), odd);
    EXPECT_EQ(s.Left, 1505);
    EXPECT_EQ(PositionInPixels(s, odd).x(), 115);
}
