#include "ui/options/OptionsDialog.h"
#include "AppFixture.h"
#include "ModalDriver.h"
#include "settings/OptionTable.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace plimset;

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
    QLineEdit* Box(const char* name) const { return In<QLineEdit>(QLatin1String(name)); }
    void Click(const char* name) const { In<QAbstractButton>(QLatin1String(name))->click(); }
    void TypeInto(const char* name, const QString& keys) const {
        QLineEdit* box = Box(name);
        box->setFocus();
        for (QChar c : keys)
            QTest::keyClick(box, c.toLatin1());
    }
    void Retype(const char* name, const QString& keys) const {
        Box(name)->selectAll();
        Box(name)->del();
        TypeInto(name, keys);
    }
    void Press(const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers) const {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(Box(name), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QCoreApplication::sendEvent(Box(name), &release);
    }
    // The names of the controls the Tab key visits, from the first one on.
    QStringList TabOrder() const {
        QStringList names;
        QWidget* first = In<QWidget>(QStringLiteral("Command1_1"))->nextInFocusChain();
        QWidget* w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                names << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first && names.size() < 200);
        return names;
    }

    OptionsDialog* dialog = nullptr;
};

QStringList Names(const char* base, int from, int to) {
    QStringList names;
    for (int i = from; i <= to; ++i)
        names << QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(i);
    return names;
}

TEST_F(OptionsDialogTest, HasEveryControlUnderItsDesignNameInTheTabOrderOfTheModeOrder) {
    ASSERT_FALSE(Start());
    EXPECT_TRUE(Find<QAction>("MNU_Option")->isEnabled());
    bool opened = false;
    WithDialog([&](OptionsDialog* d) {
        opened = true;
        EXPECT_TRUE(app->State().OptionsOpen);
        EXPECT_EQ(d->windowTitle(), "Options");
        for (const QString& name :
             Names("Frame1", 0, 8) + Names("Text1", 0, 4) + Names("Text2", 0, 4) +
                 QStringList{"Picture1_0", "Picture1_1", "Picture2_0",  "Picture2_1", "HScroll1",
                             "HScroll2",   "Text3",      "Check4",      "Picture3",   "Picture4",
                             "Text4",      "Text5",      "Command2",    "Command3",   "Command4",
                             "Check1",     "Text6_0",    "Text6_1",     "Check2",     "Text7",
                             "Picture8_0", "Picture8_1", "Text10_11",   "Text10_12",  "Text10_21",
                             "Text10_22",  "Text8_0",    "Text8_1",     "Command5_0", "Command5_1",
                             "Combo1",     "Combo2",     "Text9",       "Command6_0", "Command6_1",
                             "Command1_0", "Command1_1", "LBL_Version", "Timer1",     "Label1_0",
                             "Label1_1",   "Label2_23"} +
                 Names("Option1", 0, 2) + Names("Check3", 0, 3))
            In<QObject>(name);
        // The default order "213" puts CountDown first, on top.
        EXPECT_EQ(In<QWidget>("Frame1_1")->y(), 0);
        EXPECT_GT(In<QWidget>("Frame1_0")->y(), 0);
        EXPECT_LT(In<QWidget>("Picture8_1")->y(), In<QWidget>("Picture8_0")->y());
        const QStringList middle{"Option1_0", "Option1_1",  "Option1_2", "Text5",    "Command4",
                                 "Text4",     "Command3",   "Command2",  "Check1",   "Text6_0",
                                 "Check2",    "Text7",      "Text6_1",   "Check3_0", "Check3_1",
                                 "Check3_2",  "Check3_3",   "Text8_0",   "Text8_1",  "Command5_0",
                                 "Combo1",    "Command5_1", "Text9",     "Combo2",   "Command6_0",
                                 "Command6_1"};
        const QStringList expected = Names("Text2", 0, 4) + QStringList{"Check4"} +
                                     Names("Text1", 0, 4) + QStringList{"Text3"} + middle +
                                     QStringList{"Text10_21", "Text10_22",  "Text10_11",
                                                 "Text10_12", "Command1_0", "Command1_1"};
        EXPECT_EQ(TabOrder(), expected);
        // Every control a user can reach has a name a screen reader can speak.
        for (const QString& name : TabOrder())
            EXPECT_FALSE(In<QWidget>(name)->accessibleName().isEmpty()) << name.toStdString();
        EXPECT_EQ(Box("Text3")->accessibleName(), "Add Minutes");
        EXPECT_EQ(Box("Text2_1")->accessibleName(), "CountDown (min) or (min:sec) 2");
        // Labels grow to their captions.
        auto* label = In<QLabel>("Label2_23");
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_EQ(In<QLabel>("LBL_Version")->text(), "Ver. 0.01");
    });
    EXPECT_TRUE(opened);
    EXPECT_FALSE(app->State().OptionsOpen);

    WriteSettings("[Advanced]\nModeOrder=123\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(In<QWidget>("Frame1_0")->y(), 0);
        const QStringList order = TabOrder();
        const QStringList start = Names("Text1", 0, 4) + QStringList{"Text3", "Text2_0"};
        EXPECT_EQ(order.mid(0, 7), start);
        EXPECT_EQ(order.mid(order.size() - 6, 4),
                  (QStringList{"Text10_11", "Text10_12", "Text10_21", "Text10_22"}));
    });
}

TEST_F(OptionsDialogTest, IsFilledFromTheSettings) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n[Option]\nAlarm1=10\nAlarm2=0\nCountDown1=3\n"
                  "CountDown2=3.5\nAddMinute=7\nSoundFlag=0\nSoundBeep=4\nRingDuration=0.03\n"
                  "DisplayDuration=1\nMessageBoxSize=1.5\nTaskTray=0\nTaskBar=1\nProgress=0\n"
                  "MaxLength=8\nHotkey=665\nLanguage=1\nMessageBoxTextA1_E=Wake up\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(Box("Text1_0")->text(), "10");
        EXPECT_EQ(Box("Text1_1")->text(), "");
        EXPECT_EQ(Box("Text1_2")->text(), "60");
        EXPECT_EQ(Box("Text2_0")->text(), "3");
        EXPECT_EQ(Box("Text2_1")->text(), "3:50");
        EXPECT_EQ(Box("Text3")->text(), "7");
        EXPECT_TRUE(In<QRadioButton>("Option1_0")->isChecked());
        EXPECT_TRUE(In<QWidget>("Picture4")->isVisibleTo(dialog));
        EXPECT_FALSE(Box("Text4")->isEnabled());
        EXPECT_EQ(Box("Text5")->text(), "4");
        EXPECT_EQ(Box("Text6_0")->text(), "0:03");
        EXPECT_EQ(Box("Text6_1")->text(), "1");
        EXPECT_EQ(Box("Text7")->text(), "1.5");
        EXPECT_FALSE(In<QCheckBox>("Check3_3")->isEnabled());
        EXPECT_EQ(Box("Text8_0")->text(), QString::number(window->OuterWidthPixels()));
        auto* lengths = In<QComboBox>("Combo1");
        EXPECT_EQ(lengths->currentIndex(), 3);
        EXPECT_EQ(lengths->itemText(0), "5 (Max100min)");
        EXPECT_EQ(lengths->itemText(3), "8 (Max6,000min) [H:M:S]");
        EXPECT_EQ(Box("Text9")->text(), "Ctrl + Shift + A");
        EXPECT_EQ(In<QComboBox>("Combo2")->currentIndex(), 1);
        EXPECT_EQ(Box("Text10_11")->text(), "Wake up");
        EXPECT_EQ(Box("Text10_21")->text(), "The countdown ended.");
        EXPECT_EQ(In<QGroupBox>("Frame1_1")->title(), "CountDown (min) or (min:sec)");
        // Without a Japanese font the language cannot be changed.
        EXPECT_FALSE(In<QComboBox>("Combo2")->isEnabled());
        EXPECT_FALSE(In<QLabel>("Label1_1")->isEnabled());
    });
}

TEST_F(OptionsDialogTest, PresetStripsScrollForMoreThanFiveBoxesAndFollowTheFocus) {
    WriteSettings("[Advanced]\nMaxCol=6\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        auto* scroll = In<QScrollBar>("HScroll1");
        EXPECT_FALSE(scroll->isHidden());
        EXPECT_EQ(scroll->maximum(), 645);
        EXPECT_EQ(scroll->singleStep(), 645);
        EXPECT_EQ(scroll->pageStep(), 3225);
        scroll->setValue(645);
        EXPECT_EQ(In<QWidget>("Picture1_1")->x(), -43);
        scroll->setValue(0);
        // Tabbing to a box out of sight brings it into the viewport, and back again.
        const auto tabInto = [](QWidget* box) {
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(box, &focus);
        };
        tabInto(Box("Text1_5"));
        EXPECT_EQ(scroll->value(), 645);
        tabInto(Box("Text1_0"));
        EXPECT_EQ(scroll->value(), 0);
    });
    WriteSettings("[Advanced]\nMaxCol=1\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        EXPECT_TRUE(In<QScrollBar>("HScroll2")->isHidden());
        EXPECT_EQ(d->findChild<QLineEdit*>("Text2_1"), nullptr);
    });
}

TEST_F(OptionsDialogTest, NumberBoxesTakeOnlyTheirCharactersHoweverTheTextArrives) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Retype("Text3", "1a2");
        EXPECT_EQ(Box("Text3")->text(), "12");
        TypeInto("Text3", "9"); // two characters at most
        EXPECT_EQ(Box("Text3")->text(), "12");
        Retype("Text2_0", "1.3/");
        EXPECT_EQ(Box("Text2_0")->text(), "1:3");
        Retype("Text7", "1:5");
        EXPECT_EQ(Box("Text7")->text(), "15");
        Retype("Text10_11", "Any text: 1.5!");
        EXPECT_EQ(Box("Text10_11")->text(), "Any text: 1.5!");

        // Pasting obeys the same rule.
        QGuiApplication::clipboard()->setText(u"４x5"_qs);
        Box("Text8_0")->selectAll();
        Box("Text8_0")->paste();
        EXPECT_EQ(Box("Text8_0")->text(), "45");
        // So does an input method's commit, with its full-width forms made ASCII.
        Box("Text7")->clear();
        QInputMethodEvent commit;
        commit.setCommitString(u"１．５あ"_qs);
        QCoreApplication::sendEvent(Box("Text7"), &commit);
        EXPECT_EQ(Box("Text7")->text(), "1.5");
    });
}

TEST_F(OptionsDialogTest, CheckBoxesAndTheSoundSourceEnableWhatDependsOnThem) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click("Option1_1");
        auto* untilEnd = In<QCheckBox>("Check1");
        untilEnd->setChecked(false);
        EXPECT_TRUE(Box("Text6_0")->isEnabled());
        untilEnd->click();
        EXPECT_FALSE(Box("Text6_0")->isEnabled());
        EXPECT_FALSE(In<QLabel>("Label2_23")->isEnabled());
        // System needs no play-to-the-end rule: its duration box is always open.
        Click("Option1_0");
        EXPECT_TRUE(Box("Text6_0")->isEnabled());
        EXPECT_FALSE(untilEnd->isEnabled());
        EXPECT_TRUE(In<QWidget>("Picture4")->isVisibleTo(dialog));
        EXPECT_FALSE(In<QWidget>("Command2")->isEnabled());
        Click("Option1_2");
        EXPECT_FALSE(In<QWidget>("Picture4")->isVisibleTo(dialog));
        EXPECT_FALSE(Box("Text4")->isEnabled());

        auto* display = In<QCheckBox>("Check2");
        display->setChecked(true);
        display->click();
        for (const char* name : {"Text7", "Text6_1", "Label2_30", "Label2_33"})
            EXPECT_FALSE(In<QWidget>(name)->isEnabled()) << name;

        auto* tray = In<QCheckBox>("Check3_0");
        auto* bar = In<QCheckBox>("Check3_1");
        auto* progress = In<QCheckBox>("Check3_2");
        auto* always = In<QCheckBox>("Check3_3");
        tray->setChecked(false);
        bar->setChecked(true);
        progress->setChecked(true);
        always->setChecked(true);
        EXPECT_TRUE(always->isEnabled());
        bar->click();
        EXPECT_FALSE(progress->isEnabled());
        EXPECT_FALSE(always->isEnabled());
        EXPECT_TRUE(always->isChecked()); // the marks stay
        tray->click();
        progress->click();
        EXPECT_TRUE(progress->isEnabled());
        EXPECT_FALSE(always->isEnabled());
    });
}

TEST_F(OptionsDialogTest, HotkeyBoxCapturesCombinationsAndRevertsIncompleteOnes) {
    WriteSettings("[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        QLineEdit* box = Box("Text9");
        Press("Text9", Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(box->text(), "Ctrl + Shift + T");
        Press("Text9", Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(box->text(), "Ctrl + Alt + T");
        Press("Text9", Qt::Key_X, Qt::ShiftModifier);
        EXPECT_EQ(box->text(), "Ctrl + Shift + X");
        Press("Text9", Qt::Key_5, Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(box->text(), "Shift + Alt + 5");
        Press("Text9", Qt::Key_T, Qt::NoModifier); // a key alone changes nothing
        EXPECT_EQ(box->text(), "Shift + Alt + 5");

        // Held modifiers show the incomplete text; letting go without a key clears it.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::sendEvent(box, &press);
        EXPECT_EQ(box->text(), "Ctrl + Shift + ");
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::ControlModifier);
        QCoreApplication::sendEvent(box, &release);
        EXPECT_EQ(box->text(), "None");

        // An access key of the dialog is captured in the box, not pressed.
        QKeyEvent accessKey(QEvent::ShortcutOverride, Qt::Key_O, Qt::AltModifier);
        QCoreApplication::sendEvent(box, &accessKey);
        EXPECT_TRUE(accessKey.isAccepted());
        Press("Text9", Qt::Key_O, Qt::AltModifier);
        EXPECT_EQ(box->text(), "Ctrl + Alt + O");
        Press("Text9", Qt::Key_Backspace, Qt::NoModifier);
        EXPECT_EQ(box->text(), "None");
    });
}

TEST_F(OptionsDialogTest, OkChecksTheEntriesInOrderAndFocusesTheFirstBadOne) {
    WriteSettings("[Option]\nSoundFlag=1\nSoundFile=/no/such/file.wav\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        d->show();
        d->activateWindow();
        Box("Text3")->clear();
        Click("Command1_0");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.back().Text, "Input 1 or more.");
        EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
        EXPECT_EQ(d->focusWidget(), Box("Text3"));

        TypeInto("Text3", "5");
        Box("Text4")->setText("  /no/such/file.wav ");
        Click("Command1_0");
        EXPECT_EQ(messages.back().Text, "File not found.");
        EXPECT_EQ(Box("Text4")->text(), "/no/such/file.wav");
        EXPECT_EQ(d->focusWidget(), Box("Text4"));

        Click("Option1_0");
        Box("Text5")->clear();
        Click("Command1_0");
        EXPECT_EQ(d->focusWidget(), Box("Text5"));
        TypeInto("Text5", "3");
        Retype("Text7", ".29");
        Click("Command1_0");
        EXPECT_EQ(messages.back().Text, "Input 0.3 or more.");
        EXPECT_EQ(d->focusWidget(), Box("Text7"));
        EXPECT_TRUE(questions.empty());

        // Everything passes: the question, and No keeps the dialog open with nothing saved.
        Retype("Text7", "0.3");
        answerYes = false;
        Click("Command1_0");
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
        Retype("Text2_0", "1.3");
        Box("Text2_1")->clear();
        Retype("Text5", "3");
        Retype("Text10_22", "  Go!  ");
        Press("Text9", Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        Click("Command1_0");
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(d->Saved());
    });
    EXPECT_EQ(ReadSettings(), before + "CountDown1=1.30\nCountDown2=5\nCountDown3=0\n"
                                       "SoundBeep=3\nHotKey=665\nMessageBoxTextC2_E=Go!\n");
    EXPECT_EQ(app->Options().CountDownCount, 2);
    // The main window's preset menu shows the new presets at once.
    ChooseMode(CountDown);
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
        Click("Check3_1");
        Click("Command1_0");
    });
    EXPECT_TRUE(services.StateOf(window).taskbarButton);
    EXPECT_TRUE(services.StateOf(window).minimizeOffered);
    EXPECT_TRUE(Find<QPushButton>("Command1_0")->isEnabled());

    // OK without changes asks, writes nothing, and still closes.
    const QByteArray saved = ReadSettings();
    WithDialog([&](OptionsDialog*) { Click("Command1_0"); });
    EXPECT_EQ(ReadSettings(), saved);
}

TEST_F(OptionsDialogTest, CancelPutsBackWhatReflectAndRestoreDefaultsChanged) {
    WriteSettings("[MainForm]\nFontName=DejaVu Sans\nFontSize=14\nBackColor=255\n");
    ASSERT_FALSE(Start());
    const QSize size = window->size();
    const QFont font = Find<QLineEdit>("Text1")->font();
    const QByteArray settings = ReadSettings();
    WithDialog([&](OptionsDialog* d) {
        Retype("Text8_0", "600");
        Retype("Text8_1", "0");
        Click("Command5_0");
        EXPECT_EQ(window->OuterWidthPixels(), 600);
        // A height of 0 gives the least the field needs, and the box shows it.
        EXPECT_EQ(Box("Text8_1")->text(), QString::number(window->OuterHeightPixels()));
        Click("Command6_0");
        EXPECT_NE(Find<QLineEdit>("Text1")->font().pointSizeF(), font.pointSizeF());
        EXPECT_FALSE(d->Cancelled());
        Click("Command1_1");
        EXPECT_TRUE(d->Cancelled());
    });
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);
    EXPECT_EQ(ReadSettings(), settings);

    // Esc is Cancel too.
    WithDialog([&](OptionsDialog* d) {
        Click("Command6_0");
        QTest::keyClick(Box("Text3"), Qt::Key_Escape);
        EXPECT_TRUE(d->Cancelled());
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(Find<QLineEdit>("Text1")->font(), font);

    // The close box keeps the live changes and saves nothing.
    WithDialog([&](OptionsDialog* d) {
        Click("Command6_0");
        d->close();
        EXPECT_FALSE(d->Cancelled());
    });
    EXPECT_NE(Find<QLineEdit>("Text1")->font(), font);
    EXPECT_EQ(ReadSettings(), settings);
}

TEST_F(OptionsDialogTest, RestoreDefaultsAllRefillsTheBoxes) {
    WriteSettings("[Option]\nAlarm1=5\nAlarm4=7\nAddMinute=3\nHotkey=665\nTaskBar=0\n"
                  "MaxLength=8\nMessageBoxTextC1_E=Mine\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click("Command6_1");
        EXPECT_EQ(Box("Text1_0")->text(), "10");
        EXPECT_EQ(Box("Text1_2")->text(), "60");
        EXPECT_EQ(Box("Text1_3")->text(), "");
        EXPECT_EQ(Box("Text2_0")->text(), "3");
        EXPECT_EQ(Box("Text3")->text(), "10");
        EXPECT_EQ(Box("Text6_0")->text(), "0:03");
        EXPECT_EQ(Box("Text9")->text(), "None");
        EXPECT_TRUE(In<QCheckBox>("Check3_1")->isChecked());
        EXPECT_EQ(In<QComboBox>("Combo1")->currentIndex(), 1);
        EXPECT_EQ(Box("Text10_21")->text(), "The countdown ended.");
        const bool haveSound = !DefaultSoundFile().isEmpty();
        EXPECT_EQ(In<QRadioButton>("Option1_1")->isChecked(), haveSound);
        EXPECT_EQ(Box("Text4")->text(), DefaultSoundFile());
    });
}

TEST_F(OptionsDialogTest, TestBeepAndTestPlayUseTheSoundLayerAndStopEverywhere) {
    QTemporaryDir files;
    const QString wav = files.filePath("ring.wav");
    QFile(wav).open(QIODevice::WriteOnly);
    WriteSettings(("[Option]\nSoundFlag=1\nSoundFile=" + wav + "\n").toUtf8());
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        Click("Command3");
        EXPECT_EQ(sound.calls, (QStringList{"open " + wav, "play"}));
        EXPECT_TRUE(d->TestPlayRunning());
        EXPECT_EQ(In<QWidget>("Command3")->accessibleName(), "Stop test play");
        // The monitor closes the file once it has played to its end.
        sound.mode = "stopped";
        QTest::qWait(450);
        EXPECT_FALSE(d->TestPlayRunning());
        EXPECT_EQ(sound.calls.last(), "close");

        sound.calls.clear();
        Click("Command3");
        Click("Command3"); // a second click stops it
        EXPECT_EQ(sound.calls, (QStringList{"open " + wav, "play", "stop", "close"}));
        sound.calls.clear();
        Click("Command3");
        Click("Option1_0"); // another source stops it too
        EXPECT_EQ(sound.calls.mid(2), (QStringList{"stop", "close"}));

        Retype("Text5", "3");
        Click("Command4");
        Box("Text5")->clear();
        Click("Command4");
        EXPECT_EQ(beeper.rows, (std::vector<int>{3, 0}));

        Click("Option1_1");
        sound.openResult = -2;
        Click("Command3");
        EXPECT_EQ(messages.back().Text, "Cannot play the file.");
        EXPECT_FALSE(d->TestPlayRunning());
        sound.openResult = 0;
        Click("Command3");
    });
    // Closing the dialog ends a test play.
    EXPECT_EQ(sound.calls.mid(sound.calls.size() - 2), (QStringList{"stop", "close"}));
}

TEST_F(OptionsDialogTest, TheHotkeyIsOffWhileTheDialogIsOpenAndAHeldOneIsRefused) {
    WriteSettings("[Option]\nHotkey=665\n");
    ASSERT_FALSE(Start());
    EXPECT_EQ(hotkey.calls, QStringList{"register 665"});
    hotkey.held = 684; // Ctrl + Shift + T
    WithDialog([&](OptionsDialog* d) {
        EXPECT_EQ(hotkey.calls.last(), "unregister");
        Press("Text9", Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        Click("Command1_0");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(messages.back().Text, "The hotkey Ctrl + Shift + T is already in use by another "
                                        "program. Choose another combination.");
        Press("Text9", Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
        Click("Command1_0");
    });
    // The new combination takes effect as the dialog closes.
    EXPECT_EQ(hotkey.calls.last(), "register 689");
    EXPECT_TRUE(ReadSettings().contains("HotKey=689"));
}

TEST_F(OptionsDialogTest, AFileDroppedOnTheSoundFileBoxGivesItsPath) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click("Option1_1");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/a b.wav"), QUrl::fromLocalFile("/tmp/c.wav")});
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box("Text4"), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box("Text4"), &drop);
        EXPECT_EQ(Box("Text4")->text(), "/tmp/a b.wav");
        // A link to a file elsewhere is no path.
        data.setUrls({QUrl("https://example.org/b.wav")});
        QDropEvent remote(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(Box("Text4"), &remote);
        EXPECT_EQ(Box("Text4")->text(), "/tmp/a b.wav");
    });
}

// The dialog made directly over the program's main window, with its own settings file and
// hotkey probe, and closed by its own actions.
class OptionsDialogOwnContext : public OptionsDialogTest {
protected:
    std::unique_ptr<OptionsDialog> Make(SettingsFile& settings,
                                        const std::function<void(OptionSettings&)>& edit = {}) {
        options = app->Options();
        if (edit)
            edit(options);
        auto made = std::make_unique<OptionsDialog>(
            *window, options,
            OptionsDialogContext{
                .settings = settings,
                .sound = sound,
                .beeper = beeper,
                .languageOffset = 0,
                .locale = QLocale(QLocale::German, QLocale::Germany),
                .defaultLook = {},
                .defaultSoundFile = {},
                .showMessage =
                    [this](QWidget*, const QString& text, MessageStyle style) {
                        messages.push_back({text, style});
                    },
                .askYesNo = [](QWidget*, const QString&) { return true; },
                .hotkeyHeldElsewhere = [this](qint16 code) { return code == held; },
            });
        dialog = made.get();
        return made;
    }
    OptionSettings options;
    qint16 held = 0;
};

TEST_F(OptionsDialogOwnContext, AHotkeyAnotherProgramHoldsIsReportedOnOk) {
    ASSERT_FALSE(Start());
    SettingsFile settings(SettingsPath());
    held = 684; // Ctrl + Shift + T
    auto d = Make(settings);
    Press("Text9", Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    d->Ok();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back().Text, "The hotkey Ctrl + Shift + T is already in use by another "
                                    "program. Choose another combination.");
    EXPECT_EQ(d->focusWidget(), Box("Text9"));
    EXPECT_EQ(options.Hotkey, 0);
    Press("Text9", Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    d->Ok();
    EXPECT_EQ(options.Hotkey, 689);
    EXPECT_TRUE(d->Saved());
}

TEST_F(OptionsDialogOwnContext, ValuesOutsideTheListsSelectNothingAndSaveUnchanged) {
    ASSERT_FALSE(Start());
    SettingsFile settings(SettingsPath());
    auto d = Make(settings, [](OptionSettings& o) {
        o.MaxLength = 12;
        o.Language = 7;
        o.SoundFlag = 5;
        o.SoundBeep = 3;
    });
    EXPECT_EQ(In<QComboBox>("Combo1")->currentIndex(), -1);
    EXPECT_EQ(In<QComboBox>("Combo2")->currentIndex(), -1);
    for (const char* name : {"Option1_0", "Option1_1", "Option1_2"})
        EXPECT_FALSE(In<QRadioButton>(QLatin1String(name))->isChecked());
    // The length list takes the locale's thousands separator.
    EXPECT_EQ(In<QComboBox>("Combo1")->itemText(2), "7 (Max10.000min)");
    d->Ok();
    EXPECT_TRUE(d->Saved());
    EXPECT_EQ(options.MaxLength, 12);
    EXPECT_EQ(options.Language, 7);
    EXPECT_EQ(options.SoundFlag, 5);
}

TEST_F(OptionsDialogOwnContext, ASaveThatCannotBeWrittenIsReportedAndStillApplies) {
    ASSERT_FALSE(Start());
    SettingsFile blocked(dir.filePath("not-a-folder") + "/plimset.ini");
    QFile blocker(dir.filePath("not-a-folder"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    auto d = Make(blocked);
    Retype("Text3", "25");
    d->Ok();
    EXPECT_FALSE(d->Saved());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages.back().Text.startsWith("The settings could not be saved to "));
    EXPECT_EQ(messages.back().Style, MessageStyle::Critical);
    EXPECT_EQ(options.AddMinute, 25);
}

TEST(OptionsDialogFilters, MediaFilesComeFirstAndAllFilesMatchNamesWithoutADot) {
    EXPECT_EQ(OptionsDialog::FileFilters({"wav", "oga"}, 0),
              (QStringList{"Media files (all types) (*.wav *.oga)", "All Files (*)"}));
    EXPECT_EQ(OptionsDialog::FileFilters({}, 0), QStringList{"All Files (*)"});
}

} // namespace
