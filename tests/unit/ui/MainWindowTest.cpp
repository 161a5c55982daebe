#include "AppFixture.h"
#include "ModalDriver.h"
#include "desktop/ExitSignals.h"
#include "settings/SettingsFile.h"
#include "ui/main/MainWindowNames.h"

#include <QAccessible>
#include <QAction>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace plimset;
using enum TimerMode;

namespace {

using MainWindowTest = AppFixture;
namespace Names = MainWindowNames;

TEST_F(MainWindowTest, OwnAndQtsTextsSpeakTheInterfaceLanguage) {
    fonts.japanese = true;
    WriteSettings("[Option]\nLanguage=2\n");
    ASSERT_FALSE(Start());
    const auto buttons = [] {
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        return box.button(QMessageBox::Yes)->text() + u' ' + box.button(QMessageBox::No)->text();
    };
    const auto onTop = [this] { return Find<QAction>(Names::AlwaysOnTopItem)->text(); };
    EXPECT_EQ(buttons(), QStringLiteral("はい(&Y) いいえ(&N)"));
    EXPECT_EQ(onTop(), QStringLiteral("常に手前に表示(&A)"));
    // The language chosen in the Options dialog is applied the same way.
    OptionSettings english = app->Options();
    english.language = LanguageSetting::English;
    app->ApplyOptions(english);
    EXPECT_EQ(buttons(), QStringLiteral("&Yes &No"));
    EXPECT_EQ(onTop(), QStringLiteral("&Always on Top"));
}

TEST_F(MainWindowTest, ModeMenuFollowsTheModeOrderAndEachItemSelectsItsMode) {
    WriteSettings("[Advanced]\nModeOrder=231\n");
    ASSERT_FALSE(Start());
    for (const auto& [place, mode] : {std::pair{0, CountDown}, {1, StopWatch}, {2, Alarm}}) {
        Find<QAction>(Names::ModeItem(place))->trigger();
        EXPECT_EQ(app->State().mode, mode) << place;
        EXPECT_EQ(window->windowTitle(), Find<QAction>(Names::ModeItem(place))->text());
    }
    // Screen readers find one button that adds the minutes; the keys that stand for the
    // design's out-of-sight buttons are no buttons of their own.
    QStringList buttons;
    const std::function<void(QAccessibleInterface*)> collect = [&](QAccessibleInterface* a) {
        for (int i = 0; i < a->childCount(); ++i) {
            if (a->child(i)->role() == QAccessible::Button)
                buttons << a->child(i)->text(QAccessible::Name);
            collect(a->child(i));
        }
    };
    collect(QAccessible::queryAccessibleInterface(window));
    EXPECT_EQ(buttons, QStringList({"Minimize", "Clear", "Add 10 minutes"}));
}

TEST_F(MainWindowTest, PresetMenuHasOneItemPerPresetOrASingleDisabledNull) {
    WriteSettings("[MainForm]\nStartForm=1\n[Option]\nAlarm1=0\nAlarm2=0\nAlarm3=0\nAlarm4=0\n"
                  "Alarm5=0\nCountDown1=3\nCountDown2=1.3\nCountDown3=0\nCountDown4=0\n"
                  "CountDown5=0\n");
    ASSERT_FALSE(Start());
    QMenu* presets = Find<QMenu>(Names::PresetMenu);
    ASSERT_EQ(presets->actions().size(), 1);
    EXPECT_EQ(presets->actions()[0]->text(), QStringLiteral("Null"));
    EXPECT_FALSE(presets->menuAction()->isEnabled());
    EXPECT_FALSE(presets->actions()[0]->isEnabled());

    ChooseMode(CountDown);
    ASSERT_EQ(presets->actions().size(), 2);
    EXPECT_TRUE(presets->menuAction()->isEnabled() && presets->actions()[0]->isEnabled());
    presets->actions()[1]->trigger();
    EXPECT_EQ(Text(), QStringLiteral("1:30"));
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Stopped); // a preset never starts
    ChooseMode(StopWatch);
    EXPECT_FALSE(presets->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, TimeFieldTakesOnlyWhatTheModeCanRead) {
    WriteSettings("[Advanced]\nTimeSeparator=0\n");
    ASSERT_FALSE(Start());
    QLineEdit* field = Find<QLineEdit>(Names::TimeField);
    field->clear();
    Type(QStringLiteral("1:a.3/0 "));
    EXPECT_EQ(Text(), QStringLiteral("1.30"));

    // Alarm texts are clock times: "." is typed as ":".
    ChooseMode(Alarm);
    ASSERT_EQ(app->State().mode, Alarm);
    field->clear();
    Type(QStringLiteral("7.3x099")); // a clock time is five characters at most
    EXPECT_EQ(Text(), QStringLiteral("7:309"));

    // Ctrl+A selects the whole field, from elsewhere in the window and in the field itself,
    // so what is typed next replaces it.
    window->show();
    QApplication::setActiveWindow(window);
    Find<QPushButton>(Names::ActionButton)->setFocus();
    QTest::keyClick(Find<QPushButton>(Names::ActionButton), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), QStringLiteral("7:309"));
    field->deselect();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    Type(QStringLiteral("8"));
    EXPECT_EQ(Text(), QStringLiteral("8"));
}

TEST_F(MainWindowTest, ATextLongerThanTheTypingLimitIsReadWhole) {
    // Seven characters where six may be typed: the count starts from five minutes.
    ASSERT_FALSE(Start({QStringLiteral("/C"), QStringLiteral("0000005")}));
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Running);
    EXPECT_EQ(Text(), QStringLiteral("5:00"));
    // An over-long text can be shortened, though not lengthened, by typing.
    app->Engine().SetText(QStringLiteral("10000:00"));
    QLineEdit* field = Find<QLineEdit>(Names::TimeField);
    field->end(false);
    QTest::keyClick(field, Qt::Key_1);
    EXPECT_EQ(Text(), QStringLiteral("10000:00"));
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(Text(), QStringLiteral("10000:0"));
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

TEST_F(MainWindowTest, ASavedSizeNoScreenCanShowIsHeldToTheScreens) {
    WriteSettings("[Option]\nWidth=32767\nHeight=32767\n");
    ASSERT_FALSE(Start());
    const QRect screens = QGuiApplication::primaryScreen()->virtualGeometry();
    EXPECT_LE(window->frameGeometry().width(), screens.width());
    EXPECT_LE(window->frameGeometry().height(), screens.height());
    window->close();
    const SettingsFile file(SettingsPath());
    EXPECT_LE(file.ReadIniInt(QStringLiteral("Option"), QStringLiteral("Width"), 0),
              screens.width());
}

TEST_F(MainWindowTest, WhatTheDesktopCannotDoIsNeitherOfferedNorLost) {
    // As on Wayland: no keeping on top, no positions.
    WriteSettings("[MainForm]\nAlwaysOnTop=1\n");
    services.canKeepOnTop = false;
    services.canPlaceWindows = false;
    ASSERT_FALSE(Start());
    QAction* onTop = Find<QAction>(Names::AlwaysOnTopItem);
    EXPECT_FALSE(onTop->isEnabled());
    EXPECT_FALSE(onTop->toolTip().isEmpty());
    window->move(window->pos() + QPoint(30, 30));
    window->close();
    // The saved choice is not lost, and no position the window cannot know is written.
    EXPECT_EQ(ReadSettings(), QByteArray("[MainForm]\nAlwaysOnTop=1\n"));
}

TEST_F(MainWindowTest, ClosingWritesOnlyWhatChanged) {
    // The first run stores nothing it did not change: not even the centred position.
    WriteSettings("[Option]\nCountDown1=5\n");
    ASSERT_FALSE(Start());
    window->close();
    EXPECT_EQ(ReadSettings(), QByteArray("[Option]\nCountDown1=5\n"));
    // Nor does a session's end save what the close saves again.
    ASSERT_FALSE(Start());
    ChooseMode(Alarm);
    app->SaveState();
    EXPECT_TRUE(ReadSettings().contains("StartForm=1"));
    WriteSettings("[MainForm]\nStartForm=1\n");
    window->close();
    EXPECT_EQ(ReadSettings(), QByteArray("[MainForm]\nStartForm=1\n"));

    ASSERT_FALSE(Start());
    Find<QAction>(Names::AlwaysOnTopItem)->trigger();
    Find<QAction>(Names::AlwaysOnTopItem)->trigger(); // twice: no change
    ChooseMode(StopWatch);
    window->move(window->pos() + QPoint(30, 0));
    window->close();
    window->close(); // a second close saves nothing more
    const SettingsFile file(SettingsPath());
    EXPECT_EQ(file.ReadIniInt(QStringLiteral("MainForm"), QStringLiteral("StartForm"), 0), 3);
    // A moved window's position is stored whole, Left and Top together.
    for (const char* key : {"Left", "Top"})
        EXPECT_NE(file.ReadIniInt(QStringLiteral("MainForm"), QLatin1String(key), -480000),
                  -480000);
    const QByteArray after = ReadSettings();
    for (const char* key : {"AlwaysOnTop", "Font", "Color", "Width", "Height"})
        EXPECT_FALSE(after.contains(key)) << key << "\n" << after.constData();
}

TEST_F(MainWindowTest, CommandLineMessages) {
    // A usage request ends the program without saving.
    WriteSettings("[MainForm]\nStartForm=2\n");
    const std::optional<int> exitCode = Start({QStringLiteral("/C"), QStringLiteral("/?")});
    ASSERT_TRUE(exitCode);
    EXPECT_EQ(*exitCode, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Style, MessageStyle::Information);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("[/C | /A | /S]")));
    window->close();
    app.reset();
    EXPECT_EQ(ReadSettings(), QByteArray("[MainForm]\nStartForm=2\n"));

    // A second input text is an error; the mode still applies and the count starts.
    messages.clear();
    ASSERT_FALSE(Start({QStringLiteral("/S"), QStringLiteral("5"), QStringLiteral("6")}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Style, MessageStyle::Critical);
    EXPECT_EQ(app->State().mode, StopWatch);
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Running);
}

TEST_F(MainWindowTest, RunningCountCannotBeEdited) {
    ASSERT_FALSE(Start({QStringLiteral("/C"), QStringLiteral("3")}));
    ASSERT_EQ(app->Engine().CurrentRunState(), RunState::Running);
    QApplication::setActiveWindow(window);
    Find<QLineEdit>(Names::TimeField)->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Find<QPushButton>(Names::ActionButton)->hasFocus());
    // Stopped, the field is editable again; Esc leaves the field for the action button.
    PressAction();
    Find<QLineEdit>(Names::TimeField)->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Find<QLineEdit>(Names::TimeField)->hasFocus());
    QTest::keyClick(Find<QLineEdit>(Names::TimeField), Qt::Key_Escape);
    EXPECT_TRUE(Find<QPushButton>(Names::ActionButton)->hasFocus());
}

TEST_F(MainWindowTest, MinimizeNeedsAWayBackAndAMissingTrayIsToldInPassing) {
    // No tray shows the icon here (offscreen): a window that asks for the tray keeps its
    // taskbar button instead, also when the mode's own set-up asks to take it away.
    for (const auto& [settings, offered, button] :
         {std::tuple{"[Option]\nTaskBar=0\nTaskTray=1\n", true, true},
          {"[Option]\nTaskBar=0\nTaskTray=0\n", false, false},
          {"[Option]\nTaskBar=1\nTaskTray=0\n", true, true}}) {
        WriteSettings(settings);
        ASSERT_FALSE(Start());
        ChooseMode(StopWatch); // clears a taskbar button that TaskBar does not want
        EXPECT_EQ(services.StateOf(window).minimizeOffered, offered) << settings;
        EXPECT_EQ(services.StateOf(window).taskbarButton, button) << settings;
        Find<QPushButton>(Names::MinimizeButton)->click();
        EXPECT_EQ(window->isMinimized(), offered) << settings;
        EXPECT_TRUE(window->isVisible()) << settings;
        window->close();
    }
    // The missing tray is told once, on standard error and as news, and no box waits for
    // an answer over the window.
    WriteSettings("[Option]\nTaskTray=1\n");
    ASSERT_FALSE(Start());
    app->Tray().SetGracePeriod(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifier.news.empty(); }, 5000));
    const std::vector<QString> told{
        QStringLiteral("Timeout error. The icon does not appear in the notification area.")};
    EXPECT_EQ(notifier.news, told);
    EXPECT_EQ(errorLines, told);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, FontAndBackgroundDialogsStopTheCountAndReshapeTheField) {
    ASSERT_FALSE(Start({QStringLiteral("/C"), QStringLiteral("3")}));
    ASSERT_EQ(app->Engine().CurrentRunState(), RunState::Running);
    const int narrowWidth = window->width();
    bool openedWithTickHeld = false;
    WhenModalOpens<QDialog>(
        [&](QDialog* modal) {
            openedWithTickHeld = app->State().optionsOpen;
            modal->findChild<QFontDialog*>()->setCurrentFont(
                QFont(QStringLiteral("DejaVu Sans"), 20));
            modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        },
        [](QDialog* modal) { return modal->findChild<QFontDialog*>() != nullptr; });
    Find<QAction>(Names::FontItem)->trigger();
    EXPECT_TRUE(openedWithTickHeld);
    EXPECT_FALSE(app->State().optionsOpen);
    EXPECT_EQ(app->Engine().CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(Find<QLineEdit>(Names::TimeField)->font().pointSizeF(), 20);
    EXPECT_GT(window->width(), narrowWidth); // the window grew around the larger field

    WhenModalOpens<QColorDialog>([](QColorDialog* colors) {
        colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
        colors->accept();
    });
    Find<QAction>(Names::BackColorItem)->trigger();
    EXPECT_EQ(Find<QLineEdit>(Names::TimeField)->palette().color(QPalette::Base),
              QColor(0x12, 0x34, 0x56));
    window->close();
    const SettingsFile file(SettingsPath());
    EXPECT_EQ(file.ReadIniInt(QStringLiteral("MainForm"), QStringLiteral("BackColor"), 0),
              0x563412);
    EXPECT_EQ(file.ReadIniString(QStringLiteral("MainForm"), QStringLiteral("FontSize"), {}),
              QStringLiteral("20"));
}

TEST(ExitSignals, TerminationArrivesOnTheEventLoop) {
    ExitSignals exitSignals;
    ASSERT_TRUE(exitSignals.IsInstalled());
    QSignalSpy spy(&exitSignals, &ExitSignals::ExitRequested);
    std::raise(SIGTERM);
    std::raise(SIGINT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() >= 2; }, 5000));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), SIGTERM);
    EXPECT_EQ(spy.at(1).at(0).toInt(), SIGINT);
}

} // namespace
