// The Options dialog's actions: OK with its checks and the save, Cancel, Reflect and
// Restore Defaults, the test beep and test play, the hotkey while the dialog is open, a
// dropped file, and the dialog over its own context.

#include "FakeMainWindowPreview.h"
#include "OptionsDialogFixture.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>

#include <memory>
#include <tuple>

using namespace plimset;
namespace names = plimset::options_names;

namespace {

TEST_F(OptionsDialogTest, OkChecksTheEntriesInOrderAndFocusesTheFirstBadOne) {
    WriteSettings("[Option]\nSoundFlag=1\nSoundFile=/no/such/file.wav\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        d->show();
        d->activateWindow();
        Box(names::AddMinuteBox)->clear();
        Click(names::OkButton);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.back().Text, "Input 1 or more.");
        EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
        EXPECT_EQ(d->focusWidget(), Box(names::AddMinuteBox));

        TypeInto(names::AddMinuteBox, "5");
        Box(names::SoundFileBox)->setText("  /no/such/file.wav ");
        Click(names::OkButton);
        EXPECT_EQ(messages.back().Text, "File not found.");
        EXPECT_EQ(Box(names::SoundFileBox)->text(), "/no/such/file.wav");
        EXPECT_EQ(d->focusWidget(), Box(names::SoundFileBox));

        Click(names::BeepSourceOption);
        Box(names::BeepCountBox)->clear();
        Click(names::OkButton);
        EXPECT_EQ(d->focusWidget(), Box(names::BeepCountBox));
        TypeInto(names::BeepCountBox, "3");
        Retype(names::AlertSizeBox, ".29");
        Click(names::OkButton);
        EXPECT_EQ(messages.back().Text, "Input 0.3 or more.");
        EXPECT_EQ(d->focusWidget(), Box(names::AlertSizeBox));
        EXPECT_TRUE(questions.empty());

        // Everything passes: the question, and No keeps the dialog open with nothing saved.
        Retype(names::AlertSizeBox, "0.3");
        answerYes = false;
        Click(names::OkButton);
        EXPECT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions.back(), "Do you want to save changes?");
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(ReadSettings().contains("AddMinute"));
    });
}

TEST_F(OptionsDialogTest, OkSavesExactlyTheChangedKeysAndTheMainWindowFollows) {
    WriteSettings("[Advanced]\nTimeSeparator=0\n[Option]\nSoundFlag=0\n");
    ASSERT_FALSE(Start());
    const QByteArray before = ReadSettings();
    WithDialog([&](OptionsDialog* d) {
        Retype(names::CountDownPresetBox(0), "1.3");
        Box(names::CountDownPresetBox(1))->clear();
        Retype(names::BeepCountBox, "3");
        Retype(names::CountDownText2Box, "  Go!  ");
        Press(names::HotkeyBox, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        Click(names::OkButton);
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(d->Saved());
    });
    EXPECT_EQ(ReadSettings(), before + "CountDown1=1.30\nCountDown2=5\nCountDown3=0\n"
                                       "SoundBeep=3\nHotKey=665\nMessageBoxTextC2_E=Go!\n");
    EXPECT_EQ(app->Options().countDownCount, 2);
    // The main window's preset menu shows the new presets at once.
    ChooseMode(TimerMode::CountDown);
    const QList<QAction*> presets = Find<QMenu>("MNU_Set")->actions();
    ASSERT_EQ(presets.size(), 2);
    EXPECT_EQ(presets[0]->text(), "1min 30sec");
    EXPECT_EQ(presets[1]->text(), "5min");

    // The taskbar button comes back with its option, and with it the offer to minimize.
    WriteSettings("[Option]\nTaskBar=0\n");
    ASSERT_FALSE(Start());
    EXPECT_FALSE(services.StateOf(window).taskbarButton);
    EXPECT_FALSE(services.StateOf(window).minimizeOffered);
    WithDialog([&](OptionsDialog*) {
        Click(names::TaskbarButtonCheck);
        Click(names::OkButton);
    });
    EXPECT_TRUE(services.StateOf(window).taskbarButton);
    EXPECT_TRUE(services.StateOf(window).minimizeOffered);
    EXPECT_TRUE(Find<QPushButton>("Command1_0")->isEnabled());

    // OK without changes asks, writes nothing, and still closes.
    const QByteArray saved = ReadSettings();
    WithDialog([&](OptionsDialog*) { Click(names::OkButton); });
    EXPECT_EQ(ReadSettings(), saved);
}

TEST_F(OptionsDialogTest, CancelPutsBackWhatReflectAndRestoreDefaultsChanged) {
    WriteSettings("[MainForm]\nFontName=DejaVu Sans\nFontSize=14\nBackColor=255\n");
    ASSERT_FALSE(Start());
    const QSize size = window->size();
    const QFont font = Find<QLineEdit>("Text1")->font();
    const QByteArray settings = ReadSettings();
    WithDialog([&](OptionsDialog* d) {
        Retype(names::WidthBox, "600");
        Retype(names::HeightBox, "0");
        Click(names::ReflectSizeButton);
        EXPECT_EQ(window->OuterWidthPixels(), 600);
        // A height of 0 gives the least the field needs, and the box shows it.
        EXPECT_EQ(Box(names::HeightBox)->text(), QString::number(window->OuterHeightPixels()));
        Click(names::RestoreLookButton);
        EXPECT_NE(Find<QLineEdit>("Text1")->font().pointSizeF(), font.pointSizeF());
        EXPECT_FALSE(d->Cancelled());
        Click(names::CancelButton);
        EXPECT_TRUE(d->Cancelled());
    });
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);
    EXPECT_EQ(ReadSettings(), settings);

    // Esc is Cancel too.
    WithDialog([&](OptionsDialog* d) {
        Click(names::RestoreLookButton);
        QTest::keyClick(Box(names::AddMinuteBox), Qt::Key_Escape);
        EXPECT_TRUE(d->Cancelled());
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);

    // The close box keeps the live changes and saves nothing.
    WithDialog([&](OptionsDialog* d) {
        Click(names::RestoreLookButton);
        d->close();
        EXPECT_FALSE(d->Cancelled());
    });
    EXPECT_NE(Find<QLineEdit>("Text1")->font(), font);
    EXPECT_EQ(ReadSettings(), settings);
}

TEST_F(OptionsDialogTest, TestBeepAndTestPlayUseTheSoundLayerAndStopEverywhere) {
    QTemporaryDir files;
    const QString wav = files.filePath("ring.wav");
    QFile(wav).open(QIODevice::WriteOnly);
    WriteSettings(("[Option]\nSoundFlag=1\nSoundFile=" + wav + "\n").toUtf8());
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        // The alarm's file left open is closed by the open: the chosen file is heard.
        sound.state = SoundState::Stopped;
        Click(names::TestPlayButton);
        EXPECT_EQ(sound.calls, (QStringList{"open " + wav, "play"}));
        EXPECT_TRUE(d->TestPlayRunning());
        EXPECT_EQ(In<QWidget>(names::TestPlayButton)->accessibleName(), "Stop test play");
        // The monitor closes the file once it has played to its end.
        sound.state = SoundState::Stopped;
        QTest::qWait(450);
        EXPECT_FALSE(d->TestPlayRunning());
        EXPECT_EQ(sound.calls.last(), "close");

        sound.calls.clear();
        Click(names::TestPlayButton);
        Click(names::TestPlayButton); // a second click stops it
        EXPECT_EQ(sound.calls, (QStringList{"open " + wav, "play", "close"}));
        sound.calls.clear();
        Click(names::TestPlayButton);
        Click(names::BeepSourceOption); // another source stops it too
        EXPECT_EQ(sound.calls.mid(2), (QStringList{"close"}));

        Retype(names::BeepCountBox, "3");
        Click(names::TestBeepButton);
        Box(names::BeepCountBox)->clear();
        Click(names::TestBeepButton);
        EXPECT_EQ(beeper.rows, (std::vector<int>{3, 0}));

        Click(names::FileSourceOption);
        sound.openResult = SoundOpenResult::CannotPlay;
        Click(names::TestPlayButton);
        EXPECT_EQ(messages.back().Text, "Cannot play the file.");
        EXPECT_FALSE(d->TestPlayRunning());
        sound.openResult = SoundOpenResult::NoOutput;
        Click(names::TestPlayButton);
        EXPECT_EQ(messages.back().Text, "No sound can be played: the sound module "
                                        "(plimset_sound.so) was not found.");
        EXPECT_FALSE(d->TestPlayRunning());
        sound.openResult = SoundOpenResult::Opened;
        Click(names::TestPlayButton);
    });
    // Closing the dialog ends a test play.
    EXPECT_EQ(sound.calls.mid(sound.calls.size() - 3),
              (QStringList{"open " + wav, "play", "close"}));
}

TEST_F(OptionsDialogTest, TheHotkeyIsOffWhileTheDialogIsOpenAndAHeldOneIsRefused) {
    WriteSettings("[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    EXPECT_EQ(hotkey.calls, QStringList{"register 665"});
    hotkey.held = 684; // Ctrl + Shift + T
    WithDialog([&](OptionsDialog* d) {
        EXPECT_EQ(hotkey.calls.last(), "unregister");
        Press(names::HotkeyBox, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        Click(names::OkButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(messages.back().Text, "The hotkey Ctrl + Shift + T is already in use by another "
                                        "program. Choose another combination.");
        EXPECT_EQ(d->focusWidget(), Box(names::HotkeyBox));
        Press(names::HotkeyBox, Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
        Click(names::OkButton);
    });
    // The new combination takes effect as the dialog closes.
    EXPECT_EQ(hotkey.calls.last(), "register 689");
    EXPECT_TRUE(ReadSettings().contains("HotKey=689"));
}

TEST_F(OptionsDialogTest, WhereTheDesktopBindsTheKeyTheBoxShowsItAndOkKeepsTheOneAskedFor) {
    WriteSettings("[Option]\nHotkey=689\n"); // Ctrl + Shift + Y
    ASSERT_FALSE(Start());
    hotkey.binding = {.ByDesktop = true, .DesktopKey = "Ctrl + Shift + T", .CanOpenSettings = true};
    const auto note = [this] { return In<QLabel>(names::HotkeyNote)->text(); };
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(Box(names::HotkeyBox)->text(), "Ctrl + Shift + T");
        EXPECT_EQ(note(), "The desktop's shortcut settings choose the key that works (asked for: "
                          "Ctrl + Shift + Y).");
        Click(names::ShortcutSettingsButton);
        EXPECT_EQ(hotkey.calls.last(), "open settings");
        Click(names::OkButton);
    });
    EXPECT_EQ(app->Options().hotkey, 689);
    // A combination pressed in the box is the one asked for from then on.
    hotkey.binding.CanOpenSettings = false;
    WithDialog([&](OptionsDialog*) {
        EXPECT_TRUE(In<QPushButton>(names::ShortcutSettingsButton)->isHidden());
        Press(names::HotkeyBox, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        EXPECT_TRUE(note().endsWith("(asked for: Ctrl + Alt + K)."));
        Click(names::OkButton);
    });
    EXPECT_EQ(app->Options().hotkey, 375);
}

TEST_F(OptionsDialogTest, AFileDroppedOnTheSoundFileBoxGivesItsPath) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click(names::FileSourceOption);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/a b.wav"), QUrl::fromLocalFile("/tmp/c.wav")});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box(names::SoundFileBox), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box(names::SoundFileBox), &drop);
        EXPECT_EQ(Box(names::SoundFileBox)->text(), "/tmp/a b.wav");
        // A link to a file elsewhere is no path.
        data.setUrls({QUrl("https://example.org/b.wav")});
        QDropEvent remote(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box(names::SoundFileBox), &remote);
        EXPECT_EQ(Box(names::SoundFileBox)->text(), "/tmp/a b.wav");
    });
}

// The dialog alone, over a fake main window, with its own settings file, and closed by its
// own actions.
class OptionsDialogOwnContext : public OptionsDialogTest {
protected:
    std::unique_ptr<OptionsDialog> Make(SettingsFile& settings,
                                        const std::function<void(OptionSettings&)>& edit = {}) {
        options = LoadOptionSettings(settings, QString());
        if (edit)
            edit(options);
        WindowSettings defaultLook;
        defaultLook.FontName = QStringLiteral("Design Font");
        auto made = std::make_unique<OptionsDialog>(
            preview, options,
            OptionsDialogContext{
                .settings = settings,
                .sound = sound,
                .beeper = beeper,
                .language = InterfaceLanguage::English,
                .locale = QLocale(QLocale::German, QLocale::Germany),
                .defaultLook = defaultLook,
                .defaultSoundFile = {},
                .showMessage =
                    [this](QWidget*, const QString& text, MessageStyle style) {
                        messages.push_back({text, style});
                    },
                .askYesNo = [](QWidget*, const QString&) { return true; },
                .hotkeyHeldElsewhere = [](qint16) { return false; },
                .hotkeyBinding = {},
                .openShortcutSettings = {},
            });
        dialog = made.get();
        return made;
    }
    FakeMainWindowPreview preview;
    OptionSettings options;
};

TEST_F(OptionsDialogOwnContext, ReflectAndRestoreDefaultsPreviewOnTheMainWindowAndCancelUndoes) {
    SettingsFile settings(SettingsPath());
    auto d = Make(settings, [](OptionSettings& o) { o.displayLength = 7; });
    EXPECT_EQ(Box(names::WidthBox)->text(), "300");
    In<QComboBox>(names::LengthList)->setCurrentIndex(3);
    Click(names::ReflectLengthButton);
    EXPECT_EQ(preview.calls, (QStringList{"size field for 8", "place controls"}));

    preview.calls.clear();
    Retype(names::WidthBox, "400");
    Retype(names::HeightBox, "90");
    preview.widthPixels = 410; // the window keeps what its controls need
    Click(names::ReflectSizeButton);
    EXPECT_EQ(preview.calls,
              (QStringList{"size field for 8", "outer size 400x90", "place controls"}));
    EXPECT_EQ(Box(names::WidthBox)->text(), "410");

    // Restore Defaults (All) refills the length list first: the field is sized for 6.
    preview.calls.clear();
    Click(names::RestoreAllButton);
    EXPECT_EQ(preview.calls, (QStringList{"look Design Font", "size field for 6"}));
    EXPECT_EQ(In<QComboBox>(names::LengthList)->currentIndex(), 1);

    preview.calls.clear();
    Click(names::CancelButton);
    EXPECT_EQ(preview.calls, QStringList{"restore 300x100"});
    EXPECT_TRUE(d->Cancelled());
}

TEST_F(OptionsDialogOwnContext, RestoreDefaultsCollectsWhatAnEmptyFileLoads) {
    // Every key of [Option] away from its default.
    WriteSettings("[Option]\nAlarm1=7\nCountDown2=9\nAddMinute=5\nCountDownRepeat=1\n"
                  "SoundFlag=2\nSoundFile=/x.wav\nSoundBeep=3\nSoundUntilEnd=1\n"
                  "MessageBox=0\nRingDuration=0.2\nDisplayDuration=2\nMessageBoxSize=1.5\n"
                  "TaskTray=1\nTaskBar=0\nProgress=1\nShowAlways=1\nMaxLength=8\n"
                  "HotKey=665\nLanguage=2\nMessageBoxTextA1_E=a\nMessageBoxTextA2_E=b\n"
                  "MessageBoxTextA1_J=c\nMessageBoxTextA2_J=d\nMessageBoxTextC1_E=e\n"
                  "MessageBoxTextC2_E=f\nMessageBoxTextC1_J=g\nMessageBoxTextC2_J=h\n");
    SettingsFile settings(SettingsPath());
    auto d = Make(settings);
    const OptionSettings empty = DefaultOptions(QString());
    for (const OptionKey& row : OptionTable())
        EXPECT_TRUE(row.section == OptionSection::Advanced || !SameValue(options, empty, row))
            << row.key;
    Click(names::RestoreAllButton);
    d->Ok();
    ASSERT_TRUE(d->Saved());
    // On purpose the dialog leaves alone: the texts of the language it does not show, and
    // the sound file, which is kept (and saved) only while the file is the sound source.
    const QStringList kept{"MessageBoxTextA1_J", "MessageBoxTextA2_J", "MessageBoxTextC1_J",
                           "MessageBoxTextC2_J", "SoundFile"};
    for (const OptionKey& row : OptionTable()) {
        EXPECT_EQ(SameValue(options, empty, row), !kept.contains(row.key))
            << row.key << " = " << StoredText(options, row).toStdString();
    }
    EXPECT_EQ(options.alarmPresets, empty.alarmPresets);
    EXPECT_EQ(options.countDownPresets, empty.countDownPresets);
    EXPECT_EQ(std::tie(options.alarmCount, options.countDownCount),
              std::tie(empty.alarmCount, empty.countDownCount));
}

TEST_F(OptionsDialogOwnContext, ALengthOutsideTheListSelectsNothingAndSavesUnchanged) {
    SettingsFile settings(SettingsPath());
    auto d = Make(settings, [](OptionSettings& o) {
        o.displayLength = 12;
        o.beepCount = 3;
    });
    EXPECT_EQ(In<QComboBox>(names::LengthList)->currentIndex(), -1);
    // The length list takes the locale's thousands separator.
    EXPECT_EQ(In<QComboBox>(names::LengthList)->itemText(2), "7 (Max10.000min)");
    d->Ok();
    EXPECT_TRUE(d->Saved());
    EXPECT_EQ(options.displayLength, 12);
}

TEST_F(OptionsDialogOwnContext, ASaveThatCannotBeWrittenIsReportedAndStillApplies) {
    SettingsFile blocked(dir.filePath("not-a-folder") + "/plimset.ini");
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    auto d = Make(blocked);
    Retype(names::AddMinuteBox, "25");
    d->Ok();
    EXPECT_FALSE(d->Saved());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.back().Text.startsWith("The settings could not be saved to "));
    EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
    EXPECT_EQ(options.minutesToAdd, std::chrono::minutes(25));
}

TEST(OptionsDialogFilters, MediaFilesComeFirstAndAllFilesMatchNamesWithoutADot) {
    EXPECT_EQ(OptionsDialog::FileFilters({"wav", "oga"}),
              (QStringList{"Media files (all types) (*.wav *.oga)", "All Files (*)"}));
    EXPECT_EQ(OptionsDialog::FileFilters({}), QStringList{"All Files (*)"});
}

} // namespace
