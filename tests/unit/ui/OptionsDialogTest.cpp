// The Options dialog, opened from the main window's menu over the program's fakes: what it
// shows and takes, what OK saves and Cancel undoes, the test sound, and the hotkey while it
// is open; and the dialog alone over a fake main window.

#include "ui/options/OptionsDialog.h"
#include "AppFixture.h"
#include "ModalDriver.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"
#include "ui/options/OptionsDialogNames.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>

#include <functional>
#include <memory>
#include <tuple>

using namespace plimset;
namespace names = plimset::options_names;

namespace {

class OptionsDialogTest : public AppFixture {
protected:
    // Chooses the Options menu item and runs `act` while the dialog is open; a dialog that
    // `act` leaves open is closed with its close box.
    void WithDialog(const std::function<void(OptionsDialog*)>& act) {
        WhenModalOpens<OptionsDialog>([this, act](OptionsDialog* d) {
            dialog = d;
            act(d);
            if (d->isVisible())
                d->close();
        });
        Find<QAction>("MNU_Option")->trigger();
        dialog = nullptr;
    }
    template <typename T> T* In(const QString& name) const {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* Box(const QString& name) const { return In<QLineEdit>(name); }
    void Click(const QString& name) const { In<QAbstractButton>(name)->click(); }
    void Retype(const QString& name, const QString& keys) const {
        QLineEdit* box = Box(name);
        box->setFocus();
        box->selectAll();
        box->del();
        for (QChar c : keys)
            QTest::keyClick(box, c.toLatin1());
    }
    // A combination pressed in the hotkey box.
    void Press(Qt::Key key,
               Qt::KeyboardModifiers modifiers = Qt::ControlModifier | Qt::ShiftModifier) const {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, modifiers);
            QCoreApplication::sendEvent(Box(names::HotkeyBox), &event);
        }
    }
    bool Enabled(const QString& name) const { return In<QWidget>(name)->isEnabled(); }
    // The names of the controls the Tab key visits, from the first one on.
    QStringList TabOrder() const {
        QStringList names;
        QWidget* first = In<QWidget>(names::CancelButton)->nextInFocusChain();
        QWidget* w = first;
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden())
                names << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first && names.size() < 200);
        return names;
    }

    OptionsDialog* dialog = nullptr;
};

QStringList PresetBoxes(QString (*name)(int)) {
    QStringList boxes;
    for (int slot = 0; slot < 5; ++slot)
        boxes << name(slot);
    return boxes;
}

TEST_F(OptionsDialogTest, TheTabOrderFollowsTheModeOrderAndEveryStopHasASpokenName) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_TRUE(app->State().optionsOpen);
        using namespace names;
        const QStringList middle{BeepSourceOption,    FileSourceOption,  SilentSourceOption,
                                 BeepCountBox,        TestBeepButton,    SoundFileBox,
                                 TestPlayButton,      BrowseButton,      UntilEndCheck,
                                 RingDurationBox,     AlertWindowCheck,  AlertSizeBox,
                                 DisplayDurationBox,  TrayIconCheck,     TaskbarButtonCheck,
                                 ProgressCheck,       ShowAlwaysCheck,   WidthBox,
                                 HeightBox,           ReflectSizeButton, LengthList,
                                 ReflectLengthButton, HotkeyBox,         LanguageList,
                                 RestoreLookButton,   RestoreAllButton};
        const QStringList expected =
            PresetBoxes(names::CountDownPresetBox) + QStringList{names::RepeatCheck} +
            PresetBoxes(names::AlarmPresetBox) + QStringList{AddMinuteBox} + middle +
            QStringList{CountDownText1Box, CountDownText2Box, AlarmText1Box,
                        AlarmText2Box,     OkButton,          CancelButton};
        EXPECT_EQ(TabOrder(), expected);
        for (const QString& name : TabOrder())
            EXPECT_FALSE(In<QWidget>(name)->accessibleName().isEmpty()) << name.toStdString();
    });
    EXPECT_FALSE(app->State().optionsOpen);

    WriteSettings("[Advanced]\nModeOrder=123\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        const QStringList order = TabOrder();
        const QStringList start = PresetBoxes(names::AlarmPresetBox) +
                                  QStringList{names::AddMinuteBox, names::CountDownPresetBox(0)};
        EXPECT_EQ(order.mid(0, 7), start);
        EXPECT_EQ(order.mid(order.size() - 6, 2),
                  (QStringList{names::AlarmText1Box, names::AlarmText2Box}));
    });
}

TEST_F(OptionsDialogTest, IsFilledFromTheSettings) {
    WriteSettings(
        "[Advanced]\nTimeSeparator=1\n[Option]\nAlarm1=10\nAlarm2=0\nCountDown2=3.5\n"
        "SoundFlag=0\nSoundBeep=4\nRingDuration=0.03\nMessageBoxSize=1.5\nTaskTray=0\nTaskBar=1\n"
        "Progress=0\nMaxLength=8\nHotkey=665\nLanguage=1\nMessageBoxTextA1_E=Wake up\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        const std::pair<QString, QString> boxes[] = {
            {names::AlarmPresetBox(0), "10"},
            {names::AlarmPresetBox(1), ""},
            {names::CountDownPresetBox(1), "3:50"},
            {names::BeepCountBox, "4"},
            {names::RingDurationBox, "0:03"},
            {names::AlertSizeBox, "1.5"},
            {names::HotkeyBox, "Ctrl + Shift + A"},
            {names::AlarmText1Box, "Wake up"},
            {names::CountDownText1Box, "The countdown ended."},
            {names::WidthBox, QString::number(window->OuterWidthPixels())}};
        for (const auto& [name, text] : boxes)
            EXPECT_EQ(Box(name)->text(), text) << name.toStdString();
        EXPECT_TRUE(In<QRadioButton>(names::BeepSourceOption)->isChecked());
        EXPECT_FALSE(Enabled(names::SoundFileBox));
        EXPECT_FALSE(Enabled(names::ShowAlwaysCheck));
        EXPECT_EQ(In<QComboBox>(names::LengthList)->currentText(), "8 (Max6,000min) [H:M:S]");
        EXPECT_EQ(In<QComboBox>(names::LanguageList)->currentIndex(), 1);
        // Without a Japanese font Japanese is not offered; the other languages are.
        auto* languages =
            qobject_cast<QStandardItemModel*>(In<QComboBox>(names::LanguageList)->model());
        EXPECT_FALSE(languages->item(2)->isEnabled());
        EXPECT_TRUE(languages->item(3)->isEnabled());
    });
}

TEST_F(OptionsDialogTest, PresetStripsScrollForMoreThanFiveBoxesAndFollowTheFocus) {
    WriteSettings("[Advanced]\nMaxCol=6\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        auto* scroll = In<QScrollBar>(names::AlarmScroll);
        const auto inSight = [&](int slot) {
            const QRect box = Box(names::AlarmPresetBox(slot))
                                  ->geometry()
                                  .translated(In<QWidget>(names::AlarmStrip)->pos());
            return In<QWidget>(names::AlarmViewport)->rect().contains(box);
        };
        EXPECT_TRUE(inSight(4));
        EXPECT_FALSE(inSight(5));
        scroll->setValue(scroll->maximum());
        EXPECT_TRUE(inSight(5));
        EXPECT_FALSE(inSight(0));
        scroll->setValue(0);
        // Tabbing to a box out of sight brings it into the viewport.
        QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Box(names::AlarmPresetBox(5)), &focus);
        EXPECT_TRUE(inSight(5));
    });
    WriteSettings("[Advanced]\nMaxCol=1\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        EXPECT_TRUE(In<QScrollBar>(names::CountDownScroll)->isHidden());
        EXPECT_EQ(d->findChild<QLineEdit*>(names::CountDownPresetBox(1)), nullptr);
    });
}

TEST_F(OptionsDialogTest, BoxesTakeOnlyTheirCharactersHoweverTheTextArrives) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        const std::tuple<QString, QString, QString> typed[] = {
            {names::AddMinuteBox, "1a29", "12"}, // two characters at most
            {names::CountDownPresetBox(0), "1.3/", "1:3"},
            {names::AlertSizeBox, "1:5", "15"},
            {names::AlarmText1Box, "Any text: 1.5!", "Any text: 1.5!"}};
        for (const auto& [name, keys, shown] : typed) {
            Retype(name, keys);
            EXPECT_EQ(Box(name)->text(), shown) << keys.toStdString();
        }
        // Pasting obeys the same rule; an input method's full-width forms are made ASCII.
        QGuiApplication::clipboard()->setText(u"４x5"_qs);
        Box(names::WidthBox)->selectAll();
        Box(names::WidthBox)->paste();
        EXPECT_EQ(Box(names::WidthBox)->text(), "45");
        Box(names::AlertSizeBox)->clear();
        QInputMethodEvent commit;
        commit.setCommitString(u"１．５あ"_qs);
        QCoreApplication::sendEvent(Box(names::AlertSizeBox), &commit);
        EXPECT_EQ(Box(names::AlertSizeBox)->text(), "1.5");

        // The hotkey box captures whole combinations; a key alone changes nothing, held
        // modifiers let go without a key clear it, and an access key is captured, not pressed.
        QLineEdit* hotkey = Box(names::HotkeyBox);
        Press(Qt::Key_5, Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(hotkey->text(), "Shift + Alt + 5");
        Press(Qt::Key_T, Qt::NoModifier);
        EXPECT_EQ(hotkey->text(), "Shift + Alt + 5");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::sendEvent(hotkey, &press);
        EXPECT_EQ(hotkey->text(), "Ctrl + Shift + ");
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::ControlModifier);
        QCoreApplication::sendEvent(hotkey, &release);
        EXPECT_EQ(hotkey->text(), "None");
        QKeyEvent accessKey(QEvent::ShortcutOverride, Qt::Key_O, Qt::AltModifier);
        QCoreApplication::sendEvent(hotkey, &accessKey);
        EXPECT_TRUE(accessKey.isAccepted());
        Press(Qt::Key_O, Qt::AltModifier);
        EXPECT_EQ(hotkey->text(), "Ctrl + Alt + O");
        Press(Qt::Key_Backspace, Qt::NoModifier);
        EXPECT_EQ(hotkey->text(), "None");

        // A file dropped on the sound file box gives its path; a link elsewhere is no path.
        Click(names::FileSourceOption);
        const QList<QList<QUrl>> drops{
            {QUrl::fromLocalFile("/tmp/a b.wav"), QUrl::fromLocalFile("/tmp/c.wav")},
            {QUrl("https://example.org/b.wav")}};
        for (const QList<QUrl>& urls : drops) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(Box(names::SoundFileBox), &enter);
            EXPECT_TRUE(enter.isAccepted() || !urls.front().isLocalFile());
            QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(Box(names::SoundFileBox), &drop);
            EXPECT_EQ(Box(names::SoundFileBox)->text(), "/tmp/a b.wav");
        }
    });
}

TEST_F(OptionsDialogTest, CheckBoxesAndTheSoundSourceEnableWhatDependsOnThem) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click(names::FileSourceOption);
        auto* untilEnd = In<QCheckBox>(names::UntilEndCheck);
        untilEnd->setChecked(false);
        EXPECT_TRUE(Enabled(names::RingDurationBox));
        untilEnd->click();
        EXPECT_FALSE(Enabled(names::RingDurationBox));
        // The beep needs no play-to-the-end rule: its duration box is always open.
        Click(names::BeepSourceOption);
        EXPECT_TRUE(Enabled(names::RingDurationBox));
        for (const char* name : {names::SoundFileBox, names::BrowseButton, names::TestPlayButton,
                                 names::UntilEndCheck})
            EXPECT_FALSE(Enabled(name)) << name;
        EXPECT_TRUE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));
        Click(names::SilentSourceOption);
        EXPECT_FALSE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));
        // A state set without a click (a screen reader's toggle action) counts the same.
        In<QRadioButton>(names::FileSourceOption)->setChecked(true);
        EXPECT_TRUE(Enabled(names::SoundFileBox));

        In<QCheckBox>(names::AlertWindowCheck)->setChecked(false);
        for (const char* name : {names::AlertSizeBox, names::DisplayDurationBox})
            EXPECT_FALSE(Enabled(name)) << name;

        auto* always = In<QCheckBox>(names::ShowAlwaysCheck);
        In<QCheckBox>(names::TrayIconCheck)->setChecked(false);
        In<QCheckBox>(names::TaskbarButtonCheck)->setChecked(true);
        In<QCheckBox>(names::ProgressCheck)->setChecked(true);
        always->setChecked(true);
        EXPECT_TRUE(always->isEnabled());
        Click(names::TaskbarButtonCheck);
        EXPECT_FALSE(Enabled(names::ProgressCheck));
        EXPECT_FALSE(always->isEnabled());
        EXPECT_TRUE(always->isChecked()); // the marks stay
        Click(names::TrayIconCheck);
        Click(names::ProgressCheck);
        EXPECT_TRUE(Enabled(names::ProgressCheck));
        EXPECT_FALSE(always->isEnabled());
    });
}

TEST_F(OptionsDialogTest, OkChecksTheEntriesInOrderAndFocusesTheFirstBadOne) {
    WriteSettings("[Option]\nSoundFlag=1\nSoundFile=/no/such/file.wav\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        d->show();
        d->activateWindow();
        Box(names::AddMinuteBox)->clear();
        Click(names::OkButton);
        EXPECT_EQ(messages.back().Text, "Input 1 or more.");
        EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
        EXPECT_EQ(d->focusWidget(), Box(names::AddMinuteBox));
        Retype(names::AddMinuteBox, "5");
        Box(names::SoundFileBox)->setText("  /no/such/file.wav ");
        Click(names::OkButton);
        EXPECT_EQ(messages.back().Text, "File not found.");
        EXPECT_EQ(Box(names::SoundFileBox)->text(), "/no/such/file.wav");
        Click(names::BeepSourceOption);
        Retype(names::AlertSizeBox, ".29");
        Click(names::OkButton);
        EXPECT_EQ(messages.back().Text, "Input 0.3 or more.");
        EXPECT_EQ(d->focusWidget(), Box(names::AlertSizeBox));
        EXPECT_TRUE(questions.empty());

        // Everything passes: the question, and No keeps the dialog open with nothing saved.
        Retype(names::AlertSizeBox, "0.3");
        answerYes = false;
        Click(names::OkButton);
        EXPECT_EQ(questions, std::vector<QString>{"Do you want to save changes?"});
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(ReadSettings().contains("AddMinute"));
    });
}

TEST_F(OptionsDialogTest, OkSavesExactlyTheChangedKeysAndTheMainWindowFollows) {
    WriteSettings("[Advanced]\nTimeSeparator=0\n[Option]\nSoundFlag=0\nTaskBar=0\n");
    ASSERT_FALSE(Start());
    EXPECT_FALSE(services.StateOf(window).minimizeOffered);
    WithDialog([&](OptionsDialog* d) {
        Retype(names::CountDownPresetBox(0), "1.3");
        Box(names::CountDownPresetBox(1))->clear();
        Retype(names::BeepCountBox, "3");
        Retype(names::CountDownText2Box, "  Go!  ");
        Click(names::TaskbarButtonCheck);
        Press(Qt::Key_A);
        Click(names::OkButton);
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(d->Saved());
    });
    EXPECT_EQ(ReadSettings(), "[Advanced]\nTimeSeparator=0\n[Option]\nSoundFlag=0\nTaskBar=1\n"
                              "CountDown1=1.30\nCountDown2=5\nCountDown3=0\nSoundBeep=3\n"
                              "HotKey=665\nMessageBoxTextC2_E=Go!\n");
    // The main window follows at once: its preset menu, its taskbar button and the offer
    // to minimize.
    ChooseMode(TimerMode::CountDown);
    EXPECT_EQ(Find<QMenu>("MNU_Set")->actions().size(), 2);
    EXPECT_TRUE(services.StateOf(window).taskbarButton);
    EXPECT_TRUE(services.StateOf(window).minimizeOffered);

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
        EXPECT_NE(Find<QLineEdit>("Text1")->font(), font);
        Click(names::CancelButton);
        EXPECT_TRUE(d->Cancelled());
    });
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);
    EXPECT_EQ(ReadSettings(), settings);

    // Esc is Cancel too; the close box keeps the live changes and saves nothing.
    WithDialog([&](OptionsDialog*) {
        Click(names::RestoreLookButton);
        QTest::keyClick(Box(names::AddMinuteBox), Qt::Key_Escape);
    });
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);
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
    const QStringList played{"open " + wav, "play", "close"};
    WithDialog([&](OptionsDialog* d) {
        Click(names::TestPlayButton);
        EXPECT_TRUE(d->TestPlayRunning());
        EXPECT_EQ(In<QWidget>(names::TestPlayButton)->accessibleName(), "Stop test play");
        // The monitor closes the file once it has played to its end.
        sound.state = SoundState::Stopped;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !d->TestPlayRunning(); }, 5000));
        EXPECT_EQ(sound.calls, played);
        // A second click stops it, and so does another source.
        for (const char* stopper : {names::TestPlayButton, names::BeepSourceOption}) {
            sound.calls.clear();
            Click(names::FileSourceOption);
            Click(names::TestPlayButton);
            Click(stopper);
            EXPECT_EQ(sound.calls, played);
        }
        Retype(names::BeepCountBox, "3");
        Click(names::TestBeepButton);
        EXPECT_EQ(beeper.rows, std::vector<int>{3});

        Click(names::FileSourceOption);
        sound.openResult = SoundOpenResult::NoOutput;
        Click(names::TestPlayButton);
        EXPECT_EQ(messages.back().Text, "No sound can be played: the sound module "
                                        "(plimset_sound.so) was not found.");
        EXPECT_FALSE(d->TestPlayRunning());
        sound.openResult = SoundOpenResult::Opened;
        sound.calls.clear();
        Click(names::TestPlayButton);
    });
    // Closing the dialog ends a test play.
    EXPECT_EQ(sound.calls, played);
}

TEST_F(OptionsDialogTest, TheHotkeyIsOffWhileTheDialogIsOpenAndAHeldOneIsRefused) {
    WriteSettings("[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    EXPECT_EQ(hotkey.calls, QStringList{"register 665"});
    hotkey.held = 684; // Ctrl + Shift + T
    WithDialog([&](OptionsDialog* d) {
        EXPECT_EQ(hotkey.calls.last(), "unregister");
        Press(Qt::Key_T);
        Click(names::OkButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(messages.back().Text, "The hotkey Ctrl + Shift + T is already in use by another "
                                        "program. Choose another combination.");
        EXPECT_EQ(d->focusWidget(), Box(names::HotkeyBox));
        Press(Qt::Key_Y);
        Click(names::OkButton);
    });
    // The new combination takes effect as the dialog closes.
    EXPECT_EQ(hotkey.calls.last(), "register 689");
    EXPECT_TRUE(ReadSettings().contains("HotKey=689"));

    // Where the desktop binds the key, the box shows its key and OK keeps the one asked for
    // until another is pressed.
    hotkey.held = 0;
    hotkey.binding = {.ByDesktop = true, .DesktopKey = "Ctrl + Shift + T", .CanOpenSettings = true};
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(Box(names::HotkeyBox)->text(), "Ctrl + Shift + T");
        EXPECT_TRUE(In<QLabel>(names::HotkeyNote)->text().endsWith("Ctrl + Shift + Y)."));
        Click(names::ShortcutSettingsButton);
        EXPECT_EQ(hotkey.calls.last(), "open settings");
        Click(names::OkButton);
    });
    EXPECT_EQ(app->Options().hotkey, 689);
    WithDialog([&](OptionsDialog*) {
        Press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        Click(names::OkButton);
    });
    EXPECT_EQ(app->Options().hotkey, 375);
}

// Built here without a default sound file, over the program's main window.
TEST_F(OptionsDialogTest, RestoreDefaultsCollectsWhatAnEmptyFileLoads) {
    // Every key of [Option] away from its default.
    WriteSettings("[Option]\nAlarm1=7\nCountDown2=9\nAddMinute=5\nCountDownRepeat=1\n"
                  "SoundFlag=2\nSoundFile=/x.wav\nSoundBeep=3\nSoundUntilEnd=1\n"
                  "MessageBox=0\nRingDuration=0.2\nDisplayDuration=2\nMessageBoxSize=1.5\n"
                  "TaskTray=1\nTaskBar=0\nProgress=1\nShowAlways=1\nMaxLength=8\n"
                  "HotKey=665\nLanguage=2\nMessageBoxTextA1_E=a\nMessageBoxTextA2_E=b\n"
                  "MessageBoxTextA1_J=c\nMessageBoxTextA2_J=d\nMessageBoxTextC1_E=e\n"
                  "MessageBoxTextC2_E=f\nMessageBoxTextC1_J=g\nMessageBoxTextC2_J=h\n");
    ASSERT_FALSE(Start());
    SettingsFile settings(SettingsPath());
    OptionSettings options = LoadOptionSettings(settings, QString());
    const OptionSettings empty = DefaultOptions(QString());
    for (const OptionKey& row : OptionTable())
        EXPECT_TRUE(row.section == OptionSection::Advanced || !SameValue(options, empty, row))
            << row.key;
    const auto yes = [](QWidget*, const QString&) { return true; };
    OptionsDialog d(*window, options,
                    {settings,
                     sound,
                     beeper,
                     InterfaceLanguage::English,
                     false,
                     {},
                     {},
                     {},
                     {},
                     yes,
                     [](qint16) { return false; },
                     {},
                     {}});
    dialog = &d;
    Click(names::RestoreAllButton);
    d.Ok();
    ASSERT_TRUE(d.Saved());
    // On purpose the dialog leaves alone: the texts of the language it does not show, and
    // the sound file, which is kept (and saved) only while the file is the sound source.
    const QStringList kept{"MessageBoxTextA1_J", "MessageBoxTextA2_J", "MessageBoxTextC1_J",
                           "MessageBoxTextC2_J", "SoundFile"};
    for (const OptionKey& row : OptionTable())
        EXPECT_EQ(SameValue(options, empty, row), !kept.contains(row.key))
            << row.key << " = " << StoredText(options, row).toStdString();
    EXPECT_EQ(options.alarmPresets, empty.alarmPresets);
    EXPECT_EQ(options.countDownPresets, empty.countDownPresets);
}

TEST_F(OptionsDialogTest, ASaveThatCannotBeWrittenIsReportedAndStillApplies) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("plimset.ini")); // no file can be written there
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        Retype(names::AddMinuteBox, "25");
        Click(names::OkButton);
        EXPECT_FALSE(d->Saved());
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.back().Text.startsWith("The settings could not be saved to "));
    EXPECT_EQ(app->Options().minutesToAdd, std::chrono::minutes(25));
}

} // namespace
