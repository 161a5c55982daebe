// The Options dialog's controls: the tab order and spoken names, the filling from the
// settings, the preset strips, what the boxes take and what the checks enable, and the
// hotkey capture.

#include "OptionsDialogFixture.h"
#include "core/Version.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>

using namespace plimset;
namespace names = plimset::options_names;

namespace {

QStringList AlarmPresetBoxes(int count) {
    QStringList names;
    for (int slot = 0; slot < count; ++slot)
        names << names::AlarmPresetBox(slot);
    return names;
}

QStringList CountDownPresetBoxes(int count) {
    QStringList names;
    for (int slot = 0; slot < count; ++slot)
        names << names::CountDownPresetBox(slot);
    return names;
}

TEST_F(OptionsDialogTest, TheTabOrderFollowsTheModeOrderAndEveryStopHasASpokenName) {
    ASSERT_FALSE(Start());
    EXPECT_TRUE(Find<QAction>("MNU_Option")->isEnabled());
    bool opened = false;
    WithDialog([&](OptionsDialog* d) {
        opened = true;
        EXPECT_TRUE(app->State().optionsOpen);
        EXPECT_EQ(d->windowTitle(), "Options");
        // The default order "213" puts CountDown first, on top.
        EXPECT_EQ(In<QWidget>(names::CountDownGroup)->y(), 0);
        EXPECT_GT(In<QWidget>(names::AlarmGroup)->y(), 0);
        EXPECT_LT(In<QWidget>(names::CountDownTextsRow)->y(),
                  In<QWidget>(names::AlarmTextsRow)->y());
        const QStringList middle{
            names::BeepSourceOption,    names::FileSourceOption,  names::SilentSourceOption,
            names::BeepCountBox,        names::TestBeepButton,    names::SoundFileBox,
            names::TestPlayButton,      names::BrowseButton,      names::UntilEndCheck,
            names::RingDurationBox,     names::AlertWindowCheck,  names::AlertSizeBox,
            names::DisplayDurationBox,  names::TrayIconCheck,     names::TaskbarButtonCheck,
            names::ProgressCheck,       names::ShowAlwaysCheck,   names::WidthBox,
            names::HeightBox,           names::ReflectSizeButton, names::LengthList,
            names::ReflectLengthButton, names::HotkeyBox,         names::LanguageList,
            names::RestoreLookButton,   names::RestoreAllButton};
        const QStringList expected =
            CountDownPresetBoxes(5) + QStringList{names::RepeatCheck} + AlarmPresetBoxes(5) +
            QStringList{names::AddMinuteBox} + middle +
            QStringList{names::CountDownText1Box, names::CountDownText2Box, names::AlarmText1Box,
                        names::AlarmText2Box,     names::OkButton,          names::CancelButton};
        EXPECT_EQ(TabOrder(), expected);
        // Every control a user can reach has a name a screen reader can speak.
        for (const QString& name : TabOrder())
            EXPECT_FALSE(In<QWidget>(name)->accessibleName().isEmpty()) << name.toStdString();
        EXPECT_EQ(Box(names::AddMinuteBox)->accessibleName(), "Add Minutes");
        EXPECT_EQ(Box(names::CountDownPresetBox(1))->accessibleName(),
                  "CountDown (min) or (min:sec) 2");
        // The clock-style captions are spoken as shown.
        EXPECT_EQ(In<QLabel>(names::RingDurationUnitLabel)->accessibleName(),
                  "(min) or (min:sec) [0:Indefinite]");
        for (const QWidget* w : d->findChildren<QWidget*>())
            EXPECT_FALSE(w->accessibleName().contains(u"min.sec")) << w->objectName().toStdString();
        // The version `plimset --version` prints.
        EXPECT_EQ(In<QLabel>(names::VersionLabel)->text(),
                  QStringLiteral("Ver. ") + ProgramVersion);
    });
    EXPECT_TRUE(opened);
    EXPECT_FALSE(app->State().optionsOpen);

    WriteSettings("[Advanced]\nModeOrder=123\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(In<QWidget>(names::AlarmGroup)->y(), 0);
        const QStringList order = TabOrder();
        const QStringList start =
            AlarmPresetBoxes(5) + QStringList{names::AddMinuteBox, names::CountDownPresetBox(0)};
        EXPECT_EQ(order.mid(0, 7), start);
        EXPECT_EQ(order.mid(order.size() - 6, 4),
                  (QStringList{names::AlarmText1Box, names::AlarmText2Box, names::CountDownText1Box,
                               names::CountDownText2Box}));
    });
}

TEST_F(OptionsDialogTest, IsFilledFromTheSettings) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n[Option]\nAlarm1=10\nAlarm2=0\nCountDown1=3\n"
                  "CountDown2=3.5\nAddMinute=7\nSoundFlag=0\nSoundBeep=4\nRingDuration=0.03\n"
                  "DisplayDuration=1\nMessageBoxSize=1.5\nTaskTray=0\nTaskBar=1\nProgress=0\n"
                  "MaxLength=8\nHotkey=665\nLanguage=1\nMessageBoxTextA1_E=Wake up\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        EXPECT_EQ(Box(names::AlarmPresetBox(0))->text(), "10");
        EXPECT_EQ(Box(names::AlarmPresetBox(1))->text(), "");
        EXPECT_EQ(Box(names::AlarmPresetBox(2))->text(), "60");
        EXPECT_EQ(Box(names::CountDownPresetBox(0))->text(), "3");
        EXPECT_EQ(Box(names::CountDownPresetBox(1))->text(), "3:50");
        EXPECT_EQ(Box(names::AddMinuteBox)->text(), "7");
        EXPECT_TRUE(In<QRadioButton>(names::BeepSourceOption)->isChecked());
        EXPECT_TRUE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));
        EXPECT_FALSE(Box(names::SoundFileBox)->isEnabled());
        EXPECT_EQ(Box(names::BeepCountBox)->text(), "4");
        EXPECT_EQ(Box(names::RingDurationBox)->text(), "0:03");
        EXPECT_EQ(Box(names::DisplayDurationBox)->text(), "1");
        EXPECT_EQ(Box(names::AlertSizeBox)->text(), "1.5");
        EXPECT_FALSE(In<QCheckBox>(names::ShowAlwaysCheck)->isEnabled());
        EXPECT_EQ(Box(names::WidthBox)->text(), QString::number(window->OuterWidthPixels()));
        auto* lengths = In<QComboBox>(names::LengthList);
        EXPECT_EQ(lengths->currentIndex(), 3);
        EXPECT_EQ(lengths->itemText(3), "8 (Max6,000min) [H:M:S]");
        EXPECT_EQ(Box(names::HotkeyBox)->text(), "Ctrl + Shift + A");
        EXPECT_EQ(In<QComboBox>(names::LanguageList)->currentIndex(), 1);
        EXPECT_EQ(Box(names::AlarmText1Box)->text(), "Wake up");
        EXPECT_EQ(Box(names::CountDownText1Box)->text(), "The countdown ended.");
        EXPECT_EQ(In<QGroupBox>(names::CountDownGroup)->title(), "CountDown (min) or (min:sec)");
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
        EXPECT_FALSE(scroll->isHidden());
        const auto inSight = [&](int slot) {
            const QRect box = Box(names::AlarmPresetBox(slot))
                                  ->geometry()
                                  .translated(In<QWidget>(names::AlarmStrip)->pos());
            return In<QWidget>(names::AlarmViewport)->rect().contains(box);
        };
        EXPECT_TRUE(inSight(4));
        EXPECT_FALSE(inSight(5));
        // One step of the bar brings the sixth box in.
        EXPECT_EQ(scroll->maximum(), scroll->singleStep());
        scroll->setValue(scroll->maximum());
        EXPECT_TRUE(inSight(5));
        EXPECT_FALSE(inSight(0));
        scroll->setValue(0);
        // Tabbing to a box out of sight brings it into the viewport, and back again.
        const auto tabInto = [](QWidget* box) {
            QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(box, &focus);
        };
        tabInto(Box(names::AlarmPresetBox(5)));
        EXPECT_TRUE(inSight(5));
        tabInto(Box(names::AlarmPresetBox(0)));
        EXPECT_EQ(scroll->value(), 0);
    });
    WriteSettings("[Advanced]\nMaxCol=1\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog* d) {
        EXPECT_TRUE(In<QScrollBar>(names::CountDownScroll)->isHidden());
        EXPECT_EQ(d->findChild<QLineEdit*>(names::CountDownPresetBox(1)), nullptr);
    });
}

TEST_F(OptionsDialogTest, NumberBoxesTakeOnlyTheirCharactersHoweverTheTextArrives) {
    WriteSettings("[Advanced]\nTimeSeparator=1\n");
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Retype(names::AddMinuteBox, "1a2");
        EXPECT_EQ(Box(names::AddMinuteBox)->text(), "12");
        TypeInto(names::AddMinuteBox, "9"); // two characters at most
        EXPECT_EQ(Box(names::AddMinuteBox)->text(), "12");
        Retype(names::CountDownPresetBox(0), "1.3/");
        EXPECT_EQ(Box(names::CountDownPresetBox(0))->text(), "1:3");
        Retype(names::AlertSizeBox, "1:5");
        EXPECT_EQ(Box(names::AlertSizeBox)->text(), "15");
        Retype(names::AlarmText1Box, "Any text: 1.5!");
        EXPECT_EQ(Box(names::AlarmText1Box)->text(), "Any text: 1.5!");

        // Pasting obeys the same rule.
        QGuiApplication::clipboard()->setText(u"４x5"_qs);
        Box(names::WidthBox)->selectAll();
        Box(names::WidthBox)->paste();
        EXPECT_EQ(Box(names::WidthBox)->text(), "45");
        // So does an input method's commit, with its full-width forms made ASCII.
        Box(names::AlertSizeBox)->clear();
        QInputMethodEvent commit;
        commit.setCommitString(u"１．５あ"_qs);
        QCoreApplication::sendEvent(Box(names::AlertSizeBox), &commit);
        EXPECT_EQ(Box(names::AlertSizeBox)->text(), "1.5");
    });
}

TEST_F(OptionsDialogTest, CheckBoxesAndTheSoundSourceEnableWhatDependsOnThem) {
    ASSERT_FALSE(Start());
    WithDialog([&](OptionsDialog*) {
        Click(names::FileSourceOption);
        auto* untilEnd = In<QCheckBox>(names::UntilEndCheck);
        untilEnd->setChecked(false);
        EXPECT_TRUE(Box(names::RingDurationBox)->isEnabled());
        untilEnd->click();
        EXPECT_FALSE(Box(names::RingDurationBox)->isEnabled());
        EXPECT_FALSE(In<QLabel>(names::RingDurationUnitLabel)->isEnabled());
        // System needs no play-to-the-end rule: its duration box is always open.
        Click(names::BeepSourceOption);
        EXPECT_TRUE(Box(names::RingDurationBox)->isEnabled());
        EXPECT_FALSE(untilEnd->isEnabled());
        EXPECT_TRUE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));
        EXPECT_FALSE(In<QWidget>(names::BrowseButton)->isEnabled());
        Click(names::SilentSourceOption);
        EXPECT_FALSE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));
        EXPECT_FALSE(Box(names::SoundFileBox)->isEnabled());
        // A state set without a click (a screen reader's toggle action) counts the same.
        In<QRadioButton>(names::FileSourceOption)->setChecked(true);
        EXPECT_TRUE(Box(names::SoundFileBox)->isEnabled());
        In<QRadioButton>(names::BeepSourceOption)->setChecked(true);
        for (const char* name : {names::SoundFileBox, names::BrowseButton, names::TestPlayButton,
                                 names::UntilEndCheck})
            EXPECT_FALSE(In<QWidget>(name)->isEnabled()) << name;
        EXPECT_TRUE(In<QWidget>(names::BeepRow)->isVisibleTo(dialog));

        auto* display = In<QCheckBox>(names::AlertWindowCheck);
        display->setChecked(true);
        display->click();
        for (const char* name : {names::AlertSizeBox, names::DisplayDurationBox,
                                 names::AlertSizeLabel, names::DisplayDurationUnitLabel})
            EXPECT_FALSE(In<QWidget>(name)->isEnabled()) << name;

        auto* tray = In<QCheckBox>(names::TrayIconCheck);
        auto* bar = In<QCheckBox>(names::TaskbarButtonCheck);
        auto* progress = In<QCheckBox>(names::ProgressCheck);
        auto* always = In<QCheckBox>(names::ShowAlwaysCheck);
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
        QLineEdit* box = Box(names::HotkeyBox);
        Press(names::HotkeyBox, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(box->text(), "Ctrl + Shift + T");
        Press(names::HotkeyBox, Qt::Key_5, Qt::ShiftModifier | Qt::AltModifier);
        EXPECT_EQ(box->text(), "Shift + Alt + 5");
        Press(names::HotkeyBox, Qt::Key_T, Qt::NoModifier); // a key alone changes nothing
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
        Press(names::HotkeyBox, Qt::Key_O, Qt::AltModifier);
        EXPECT_EQ(box->text(), "Ctrl + Alt + O");
        Press(names::HotkeyBox, Qt::Key_Backspace, Qt::NoModifier);
        EXPECT_EQ(box->text(), "None");
    });
}

} // namespace
