// The Options dialog, opened from the main window's menu over the program's fakes: what it
// shows and takes, what OK saves and Cancel undoes, the test sound, and the hotkey while it
// is open.

#include "ui/options/OptionsDialog.h"
#include "AppFixture.h"
#include "ModalDriver.h"
#include "ui/options/OptionsDialogNames.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>

using namespace plimset;
using namespace plimset::options_names;

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
    template <typename T = QWidget> T* In(const QString& name) const {
        T* found = dialog->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* Box(const QString& name) const { return In<QLineEdit>(name); }
    QString BoxText(const QString& name) const { return Box(name)->text(); }
    void Click(const QString& name) const { In<QAbstractButton>(name)->click(); }
    void Retype(const QString& name, const QString& keys) const {
        QLineEdit* box = Box(name);
        box->setFocus();
        box->selectAll();
        box->del();
        QTest::keyClicks(box, keys);
    }
    // A key event sent to the hotkey box; `type` 0 is a press and its release.
    bool Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::ControlModifier | Qt::ShiftModifier,
               QEvent::Type type = QEvent::None) const {
        bool accepted = false;
        for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type == QEvent::None ? t : type, key, mods);
            QCoreApplication::sendEvent(Box(HotkeyBox), &event);
            accepted = event.isAccepted();
            if (type != QEvent::None)
                break;
        }
        return accepted;
    }
    // The names of the controls the Tab key visits, from the first one on.
    QString TabOrder() const {
        QStringList order;
        QWidget* first = In(CancelButton)->nextInFocusChain();
        for (QWidget* w = first; order.size() < 200 && (order.isEmpty() || w != first);
             w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->isHidden())
                order << w->objectName();
        return order.join(' ');
    }
    void ExpectMessage(const QString& text, const QString& focused = {}) {
        ASSERT_FALSE(messages.empty()) << text.toStdString();
        EXPECT_EQ(messages.back().Text, text);
        EXPECT_TRUE(focused.isEmpty() || dialog->focusWidget() == Box(focused))
            << text.toStdString();
    }

    OptionsDialog* dialog = nullptr;
};

TEST_F(OptionsDialogTest, TheTabOrderFollowsTheModeOrderAndEveryStopHasASpokenName) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_TRUE(app->State().optionsOpen);
        EXPECT_EQ(TabOrder(),
                  "Text2_0 Text2_1 Text2_2 Text2_3 Text2_4 Check4 Text1_0 Text1_1 Text1_2 Text1_3 "
                  "Text1_4 Text3 Option1_0 Option1_1 Option1_2 Text5 Command4 Text4 Command3 "
                  "Command2 Check1 Text6_0 Check2 Text7 Text6_1 Check3_0 Check3_1 Check3_2 "
                  "Check3_3 Text8_0 Text8_1 Command5_0 Combo1 Command5_1 Text9 Combo2 Command6_0 "
                  "Command6_1 Text10_21 Text10_22 Text10_11 Text10_12 Command1_0 Command1_1");
        for (const QString& name : TabOrder().split(' '))
            EXPECT_FALSE(In(name)->accessibleName().isEmpty()) << name.toStdString();
    });
    EXPECT_FALSE(app->State().optionsOpen);
    WriteSettings("[Advanced]\nModeOrder=123\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        const QString order = TabOrder();
        EXPECT_TRUE(order.startsWith("Text1_0 Text1_1 Text1_2 Text1_3 Text1_4 Text3 Text2_0 "));
        EXPECT_TRUE(order.contains(" Text10_11 Text10_12 Text10_21 ")) << order.toStdString();
    });
}

TEST_F(OptionsDialogTest, IsFilledFromTheSettings) {
    WriteSettings(
        "[Advanced]\nTimeSeparator=1\n[Option]\nAlarm1=10\nAlarm2=0\nCountDown2=3.5\n"
        "SoundFlag=0\nSoundBeep=4\nRingDuration=0.03\nMessageBoxSize=1.5\nTaskTray=0\nTaskBar=1\n"
        "Progress=0\nMaxLength=8\nHotkey=665\nLanguage=1\nMessageBoxTextA1_E=Wake up\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        const auto shown = [this] {
            QStringList texts;
            for (const QString& name :
                 {AlarmPresetBox(0), AlarmPresetBox(1), CountDownPresetBox(1),
                  QString(BeepCountBox), QString(RingDurationBox), QString(AlertSizeBox),
                  QString(HotkeyBox), QString(AlarmText1Box), QString(CountDownText1Box)})
                texts << BoxText(name);
            return texts.join('|').toStdString();
        };
        EXPECT_EQ(shown(), "10||3:50|4|0:03|1.5|Ctrl + Shift + A|Wake up|The countdown ended.");
        EXPECT_EQ(BoxText(WidthBox), QString::number(window->OuterWidthPixels()));
        EXPECT_TRUE(In<QRadioButton>(BeepSourceOption)->isChecked());
        EXPECT_FALSE(In(SoundFileBox)->isEnabled() || In(ShowAlwaysCheck)->isEnabled());
        EXPECT_EQ(In<QComboBox>(LengthList)->currentText(), "8 (Max6,000min) [H:M:S]");
        EXPECT_EQ(In<QComboBox>(LanguageList)->currentIndex(), 1);
        // The file's controls follow the source chosen; Restore Defaults (All) gives every
        // option its default.
        Click(FileSourceOption);
        EXPECT_TRUE(In(SoundFileBox)->isEnabled());
        Click(RestoreAllButton);
        EXPECT_EQ(shown(), "10|30|4|10|0:03|1|None|The set time has come.|The countdown ended.");
        EXPECT_EQ(In<QComboBox>(LanguageList)->currentIndex(), 0);
    });
}

TEST_F(OptionsDialogTest, BoxesTakeOnlyTheirCharactersAndTheHotkeyBoxWholeCombinations) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Retype(AddMinuteBox, "1a29"); // two characters at most
        EXPECT_EQ(BoxText(AddMinuteBox), "12");
        // The hotkey box captures whole combinations; a key alone changes nothing, held
        // modifiers let go without a key clear it, and an access key is captured, not pressed.
        Press(Qt::Key_5, Qt::ShiftModifier | Qt::AltModifier);
        Press(Qt::Key_T, Qt::NoModifier);
        EXPECT_EQ(BoxText(HotkeyBox), "Shift + Alt + 5");
        Press(Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier, QEvent::KeyPress);
        EXPECT_EQ(BoxText(HotkeyBox), "Ctrl + Shift + ");
        Press(Qt::Key_F5, Qt::ControlModifier, QEvent::KeyRelease);
        EXPECT_EQ(BoxText(HotkeyBox), "None");
        EXPECT_TRUE(Press(Qt::Key_O, Qt::AltModifier, QEvent::ShortcutOverride));
        Press(Qt::Key_O, Qt::AltModifier);
        EXPECT_EQ(BoxText(HotkeyBox), "Ctrl + Alt + O");
        Press(Qt::Key_Backspace, Qt::NoModifier);
        EXPECT_EQ(BoxText(HotkeyBox), "None");
    });
}

TEST_F(OptionsDialogTest, OkChecksTheEntriesAndFocusesTheFirstBadOne) {
    WriteSettings("[Option]\nSoundFlag=0\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        d->show();
        d->activateWindow();
        Box(AddMinuteBox)->clear();
        Click(OkButton);
        ExpectMessage("Input 1 or more.", AddMinuteBox);
        EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
        Retype(AddMinuteBox, "5");
        // Everything passes: the question, and No keeps the dialog open with nothing saved.
        answerYes = false;
        Click(OkButton);
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
        Retype(CountDownPresetBox(0), "1.3");
        Box(CountDownPresetBox(1))->clear();
        Retype(BeepCountBox, "3");
        Retype(CountDownText2Box, "  Go!  ");
        Click(TaskbarButtonCheck);
        Press(Qt::Key_A);
        Click(OkButton);
        EXPECT_TRUE(!d->isVisible() && d->Saved());
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
    WithDialog([&](OptionsDialog*) { Click(OkButton); });
    EXPECT_EQ(ReadSettings(), saved);
}

TEST_F(OptionsDialogTest, CancelPutsBackWhatReflectAndRestoreDefaultsChanged) {
    WriteSettings("[MainForm]\nFontName=DejaVu Sans\nFontSize=14\nBackColor=255\n");
    ASSERT_FALSE(Start());
    const QSize size = window->size();
    const auto font = [this] { return Find<QLineEdit>("Text1")->font(); };
    const QFont before = font();
    const QByteArray settings = ReadSettings();
    WithDialog([&](OptionsDialog* d) {
        Retype(WidthBox, "600");
        Retype(HeightBox, "0");
        Click(ReflectSizeButton);
        EXPECT_EQ(window->OuterWidthPixels(), 600);
        // A height of 0 gives the least the field needs, and the box shows it.
        EXPECT_EQ(BoxText(HeightBox), QString::number(window->OuterHeightPixels()));
        Click(RestoreLookButton);
        EXPECT_NE(font(), before);
        Click(CancelButton);
        EXPECT_TRUE(d->Cancelled());
    });
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(font(), before);

    // Esc is Cancel too; the close box keeps the live changes and saves nothing.
    WithDialog([&](OptionsDialog*) {
        Click(RestoreLookButton);
        QTest::keyClick(Box(AddMinuteBox), Qt::Key_Escape);
    });
    EXPECT_EQ(font(), before);
    WithDialog([&](OptionsDialog* d) {
        Click(RestoreLookButton);
        d->close();
        EXPECT_FALSE(d->Cancelled());
    });
    EXPECT_NE(font(), before);
    EXPECT_EQ(ReadSettings(), settings);
}

TEST_F(OptionsDialogTest, TheHotkeyIsOffWhileTheDialogIsOpenAndAHeldOneIsRefused) {
    WriteSettings("[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    EXPECT_EQ(hotkey.calls, QStringList{"register 665"});
    hotkey.held = 684; // Ctrl + Shift + T
    WithDialog([&](OptionsDialog* d) {
        EXPECT_EQ(hotkey.calls.last(), "unregister");
        Press(Qt::Key_T);
        Click(OkButton);
        EXPECT_TRUE(d->isVisible());
        ExpectMessage("The hotkey Ctrl + Shift + T is already in use by another program. "
                      "Choose another combination.",
                      HotkeyBox);
        Press(Qt::Key_Y);
        Click(OkButton);
    });
    // The new combination takes effect as the dialog closes.
    EXPECT_EQ(hotkey.calls.last(), "register 689");
    EXPECT_TRUE(ReadSettings().contains("HotKey=689"));
}

TEST_F(OptionsDialogTest, ASaveThatCannotBeWrittenIsReportedAndStillApplies) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("plimset.ini")); // no file can be written there
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        Retype(AddMinuteBox, "25");
        Click(OkButton);
        EXPECT_FALSE(d->Saved());
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.back().Text.startsWith("The settings could not be saved to "));
    EXPECT_EQ(app->Options().minutesToAdd, std::chrono::minutes(25));
}

} // namespace
