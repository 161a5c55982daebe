#include "AppFixture.h"
#include "ModalDriver.h"
#include "settings/SettingsFile.h"

#include <QtTest>
#include <QtWidgets>

using namespace plimset;
using enum TimerMode;
namespace Names = plimset::MainWindowNames;

namespace {

class MainWindowTest : public AppFixture {
protected:
    int Saved(const char* section, const char* key) const {
        return SettingsFile(SettingsPath()).ReadIniInt(section, key, -480000);
    }
    RunState Run() { return app->Engine().CurrentRunState(); }
    bool Focused(const char* name) { return Find<QWidget>(name)->hasFocus(); }
    void FocusField() {
        Find<QWidget>(Names::TimeField)->setFocus();
        QCoreApplication::processEvents();
    }
};

TEST_F(MainWindowTest, ModeMenuFollowsTheModeOrderAndEachItemSelectsItsMode) {
    WriteSettings("[Advanced]\nModeOrder=231\n");
    ASSERT_FALSE(Start());
    for (const auto& [place, mode] : {std::pair{0, CountDown}, {1, StopWatch}, {2, Alarm}}) {
        Find<QAction>(Names::ModeItem(place))->trigger();
        EXPECT_EQ(app->State().mode, mode) << place;
        EXPECT_EQ(window->windowTitle(), Find<QAction>(Names::ModeItem(place))->text());
    }
}

TEST_F(MainWindowTest, PresetMenuHasOneItemPerPresetOrASingleDisabledNull) {
    WriteSettings("[MainForm]\nStartForm=1\n[Option]\nAlarm1=0\nAlarm2=0\nAlarm3=0\nAlarm4=0\n"
                  "Alarm5=0\nCountDown1=3\nCountDown2=1.3\nCountDown3=0\nCountDown4=0\n"
                  "CountDown5=0\n");
    ASSERT_FALSE(Start());
    QMenu* presets = Find<QMenu>(Names::PresetMenu);
    ASSERT_EQ(presets->actions().size(), 1);
    EXPECT_EQ(presets->actions()[0]->text(), "Null");
    EXPECT_FALSE(presets->menuAction()->isEnabled() || presets->actions()[0]->isEnabled());
    ChooseMode(CountDown);
    ASSERT_EQ(presets->actions().size(), 2);
    EXPECT_TRUE(presets->menuAction()->isEnabled() && presets->actions()[0]->isEnabled());
    presets->actions()[1]->trigger();
    EXPECT_EQ(Text(), "1:30");
    EXPECT_EQ(Run(), RunState::Stopped); // a preset never starts
    ChooseMode(StopWatch);
    EXPECT_FALSE(presets->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, TimeFieldTakesWhatTheModeCanReadAndCtrlASelectsIt) {
    ASSERT_FALSE(Start());
    ChooseMode(Alarm); // a clock time, "." typed as ":", five characters at most
    QLineEdit* field = Find<QLineEdit>(Names::TimeField);
    field->clear();
    Type("7.3x099");
    EXPECT_EQ(Text(), "7:309");
    // Ctrl+A selects the whole field, from elsewhere in the window and in the field itself,
    // so what is typed next replaces it.
    window->show();
    QApplication::setActiveWindow(window);
    auto* action = Find<QPushButton>(Names::ActionButton);
    action->setFocus();
    QTest::keyClick(action, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), "7:309");
    field->deselect();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    Type("8");
    EXPECT_EQ(Text(), "8");
}

TEST_F(MainWindowTest, StartupAppliesTheSavedFontColourAndSize) {
    WriteSettings("[MainForm]\nFontName=DejaVu Sans\nFontSize=14\nFontBold=-1\nBackColor=255\n"
                  "[Option]\nWidth=400\nHeight=1\nMaxLength=8\n");
    ASSERT_FALSE(Start());
    QLineEdit* field = Find<QLineEdit>(Names::TimeField);
    EXPECT_TRUE(field->font().bold());
    EXPECT_EQ(field->font().pointSizeF(), 14);
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(255, 0, 0)); // red, lowest byte
    // The field is sized for nine zeros.
    EXPECT_GE(field->width(), QFontMetricsF(field->font()).horizontalAdvance("000000000"));
    // Saved width kept (above the minimum); the saved height 1 gives way to the minimum.
    const QMargins frame = services.frame.isNull() ? QMargins(4, 27, 4, 4) : services.frame;
    EXPECT_EQ(window->width() + frame.left() + frame.right(), 400);
    EXPECT_GE(window->centralWidget()->height(), field->height());
}

TEST_F(MainWindowTest, ClosingWritesOnlyWhatChanged) {
    // The first run stores nothing it did not change: not even the centred position.
    WriteSettings("[Option]\nCountDown1=5\n");
    ASSERT_FALSE(Start());
    window->close();
    EXPECT_EQ(ReadSettings(), "[Option]\nCountDown1=5\n");
    // Nor does a session's end save what the close saves again.
    ASSERT_FALSE(Start());
    ChooseMode(Alarm);
    app->SaveState();
    EXPECT_TRUE(ReadSettings().contains("StartForm=1"));
    WriteSettings("[MainForm]\nStartForm=1\n");
    window->close();
    EXPECT_EQ(ReadSettings(), "[MainForm]\nStartForm=1\n");

    ASSERT_FALSE(Start());
    Find<QAction>(Names::AlwaysOnTopItem)->trigger();
    Find<QAction>(Names::AlwaysOnTopItem)->trigger(); // twice: no change
    ChooseMode(StopWatch);
    window->move(window->pos() + QPoint(30, 0));
    window->close();
    window->close(); // a second close saves nothing more
    EXPECT_EQ(Saved("MainForm", "StartForm"), 3);
    // A moved window's position is stored whole, Left and Top together.
    EXPECT_NE(Saved("MainForm", "Left"), -480000);
    EXPECT_NE(Saved("MainForm", "Top"), -480000);
    for (const char* key : {"AlwaysOnTop", "Font", "Color", "Width", "Height"})
        EXPECT_FALSE(ReadSettings().contains(key)) << key;
}

TEST_F(MainWindowTest, CommandLineMessages) {
    // A usage request ends the program without saving.
    WriteSettings("[MainForm]\nStartForm=2\n");
    EXPECT_EQ(Start({"/C", "/?"}), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Style, MessageStyle::Information);
    EXPECT_TRUE(messages[0].Text.contains("[/C | /A | /S]"));
    window->close();
    app.reset();
    EXPECT_EQ(ReadSettings(), "[MainForm]\nStartForm=2\n");
    // A second input text is an error; the mode still applies and the count starts.
    messages.clear();
    ASSERT_FALSE(Start({"/S", "5", "6"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Style, MessageStyle::Critical);
    EXPECT_EQ(app->State().mode, StopWatch);
    EXPECT_EQ(Run(), RunState::Running);
}

TEST_F(MainWindowTest, RunningCountCannotBeEdited) {
    ASSERT_FALSE(Start({"/C", "3"}));
    QApplication::setActiveWindow(window);
    FocusField();
    EXPECT_TRUE(Focused(Names::ActionButton));
    // Stopped, the field is editable again; Esc leaves the field for the action button.
    PressAction();
    FocusField();
    EXPECT_TRUE(Focused(Names::TimeField));
    QTest::keyClick(Find<QWidget>(Names::TimeField), Qt::Key_Escape);
    EXPECT_TRUE(Focused(Names::ActionButton));
}

TEST_F(MainWindowTest, MinimizeNeedsAWayBack) {
    // No tray shows the icon here (offscreen): a window that asks for the tray keeps its
    // taskbar button instead, also when the mode's own set-up asks to take it away.
    for (const auto& [settings, offered] : {std::pair{"[Option]\nTaskBar=0\nTaskTray=1\n", true},
                                            {"[Option]\nTaskBar=0\nTaskTray=0\n", false},
                                            {"[Option]\nTaskBar=1\nTaskTray=0\n", true}}) {
        WriteSettings(settings);
        ASSERT_FALSE(Start());
        ChooseMode(StopWatch); // clears a taskbar button that TaskBar does not want
        EXPECT_EQ(services.StateOf(window).minimizeOffered, offered) << settings;
        EXPECT_EQ(services.StateOf(window).taskbarButton, offered) << settings;
        Find<QPushButton>(Names::MinimizeButton)->click();
        EXPECT_TRUE(window->isVisible() && window->isMinimized() == offered) << settings;
        window->close();
    }
}

TEST_F(MainWindowTest, TheFontDialogStopsTheCountAndReshapesTheField) {
    ASSERT_FALSE(Start({"/C", "3"}));
    const int narrowWidth = window->width();
    bool openedWithTickHeld = false;
    WhenModalOpens<QDialog>(
        [&](QDialog* modal) {
            openedWithTickHeld = app->State().optionsOpen;
            modal->findChild<QFontDialog*>()->setCurrentFont(QFont("DejaVu Sans", 20));
            modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        },
        [](QDialog* modal) { return modal->findChild<QFontDialog*>() != nullptr; });
    Find<QAction>(Names::FontItem)->trigger();
    EXPECT_TRUE(openedWithTickHeld && !app->State().optionsOpen);
    EXPECT_EQ(Run(), RunState::Stopped);
    EXPECT_GT(window->width(), narrowWidth); // the window grew around the larger field

    window->close();
    EXPECT_EQ(Saved("MainForm", "FontSize"), 20);
}

} // namespace
