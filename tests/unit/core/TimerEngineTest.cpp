#include "EngineFixture.h"

using namespace plimset;
using enum TimerMode;

using ModeTest = EngineFixture;
using CountDownTest = EngineFixture;
using StopWatchTest = EngineFixture;
using AlarmTest = EngineFixture;

TEST_F(ModeTest, BadInputIsHarmlessAndDialogsHoldTheTick) {
    engine.PresetChosen(5); // no presets
    engine.PresetChosen(-1);
    for (const char* text : {"0", "-3", "abc", ""}) {
        Type(QString::fromLatin1(text));
        PressAction();
        EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped) << text;
    }
    StartCountDown(QStringLiteral("1"));
    for (bool* open : {&state.optionsOpen, &state.trayMenuOpen}) {
        *open = true;
        RunFor(10);
        EXPECT_EQ(view.text, "1:00");
        *open = false;
    }
    Tick();
    EXPECT_EQ(view.text, "0:40");
}

TEST_F(CountDownTest, ShowsZeroHalfASecondEarlyThenRunsBothAlertPhases) {
    options.ringDuration = TimeValueDuration(0.03f);   // 3 s
    options.displayDuration = TimeValueDuration(0.2f); // 20 s
    StartCountDown(QStringLiteral("0:30"));
    RunFor(29.4);
    EXPECT_EQ(view.text, "0:01");
    Tick();
    EXPECT_EQ(view.text, "0:00");
    EXPECT_EQ(alert.steps, 0);
    Tick(); // alerts start on the tick after zero is shown
    EXPECT_EQ(alert.pending.toInt(), 3);
    RunFor(3.2);
    EXPECT_EQ(alert.pending.toInt(), 2); // the sound phase is over
    RunFor(17.2);
    // Both phases over: stopped and reloaded with the value it ran from.
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(view.text, "0:30");
    EXPECT_FALSE(alert.windowVisible);
    EXPECT_FALSE(view.tickEnabled);
}

TEST_F(CountDownTest, PauseKeepsTheTimeAndLongValuesAreCapped) {
    StartCountDown(QStringLiteral("5"));
    RunFor(100);
    PressAction(); // pause
    EXPECT_EQ(view.text, "3:20");
    clock.Advance(30); // time while paused does not count
    PressAction();
    EXPECT_EQ(engine.LastSetValue(), 5.0f);
    RunFor(10);
    EXPECT_EQ(view.text, "3:10");
    PressAction();

    options.timeSeparator = TimeSeparator::Dot;
    options.displayLength = 5;
    options.largestTime = TimeValueDuration(100);
    Type(QStringLiteral("150"));
    PressAction();
    EXPECT_EQ(view.text, "100.00");
}

TEST_F(ModeTest, PresetsFillTheFieldButNeverStart) {
    options.alarmCount = 1;
    options.alarmPresets = {std::chrono::minutes(30), std::chrono::minutes(0)};
    engine.SetMode(Alarm); // from its first preset, in minutes from now
    EXPECT_EQ(view.text, "12:30");
    options.countDownCount = 2;
    options.countDownPresets = {TimeValueDuration(3.0f), TimeValueDuration(0.3f),
                                TimeValueDuration(0.0f)};
    engine.SetMode(CountDown);
    PressAction();
    RunFor(5);
    engine.PresetChosen(1);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(view.text, "0:30");
}

TEST_F(CountDownTest, UnlimitedOrPlayedToItsEndAlertsLastUntilStoppedOrEnded) {
    options.displayDuration = TimeValueDuration(0);
    options.ringDuration = TimeValueDuration(0.01f);
    StartCountDown(QStringLiteral("0:05"));
    RunFor(300);
    EXPECT_EQ(alert.pending.toInt(), 2);
    engine.ClearTime(); // ends it just as the action button does, and empties the field
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_FALSE(alert.windowVisible);
    EXPECT_EQ(view.text, "");

    options.soundSource = SoundSource::File;
    options.playSoundToEnd = true;
    options.showAlertWindow = false;
    int played = 0;
    alert.onStep = [&](AlertParts) {
        if (++played % 50 == 0)
            engine.SetAlertStart(AlertPhase::Sound, {AlertStamp::State::PlayedToEnd});
    };
    StartCountDown(QStringLiteral("0:01"));
    RunFor(20);
    EXPECT_EQ(played, 50);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    // A repeating count starts again on the tick after its sound has played to its end.
    options.repeatCountDown = true;
    PressAction();
    for (int i = 0; i < 200 && played < 100; ++i)
        Tick();
    Tick();
    EXPECT_EQ(view.text, "0:01");
    EXPECT_EQ(engine.CurrentRunState(), RunState::Running);
}

TEST_F(StopWatchTest, CountsAcrossMidnightAndStopsAtTheMaximum) {
    clock.Set(At(23, 59, 50));
    engine.SetMode(StopWatch);
    PressAction();
    RunFor(20);
    PressAction();
    clock.Advance(100); // paused
    PressAction();
    RunFor(5);
    EXPECT_EQ(view.text, "0:25");
    PressAction();

    options.displayLength = 5;
    options.largestTime = TimeValueDuration(100);
    options.timeSeparator = TimeSeparator::Dot;
    options.showProgress = options.progressAlways = true;
    Type(QStringLiteral("99.50"));
    PressAction();
    RunFor(9.8);
    EXPECT_EQ(view.text, "100.00");
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(view.caption, "StopWatch");
}

TEST_F(StopWatchTest, TicksBetweenShownSecondsChangeNothing) {
    // Every text, caption or tip set costs a repaint and events to a screen reader.
    options.showProgress = options.progressAlways = true;
    options.trayIcon = options.taskbarButton = true;
    engine.SetMode(StopWatch);
    PressAction();
    Tick();
    view.setTextCount = view.setCaptionCount = tray.count = 0;
    RunFor(10);
    EXPECT_EQ(view.text, "0:10");
    EXPECT_EQ(std::tie(view.setTextCount, view.setCaptionCount, tray.count),
              std::make_tuple(10, 10, 10));
}

TEST_F(AlarmTest, RingsInItsMinuteReadiesItsSoundAndComesBackTheNextDay) {
    options.ringDuration = TimeValueDuration(0.03f);   // 3 s
    options.displayDuration = TimeValueDuration(0.3f); // 30 s
    clock.Set(At(7, 4, 50));
    engine.SetMode(Alarm);
    Type(QStringLiteral("7:05"));
    Tick(0);
    EXPECT_NEAR(view.tickMs, 5001, 1); // ticks come when the sound gets ready and at the minute
    Tick(4.99);
    EXPECT_EQ(alert.prepareCount, 0);
    TickWhenArmed();
    EXPECT_EQ(alert.prepareCount, 1);
    EXPECT_EQ(alert.steps, 0);
    TickWhenArmed();
    EXPECT_EQ(alert.pending.toInt(), 3);
    RunFor(33.2);
    const int steps = alert.steps;
    EXPECT_FALSE(alert.windowVisible);
    RunFor(30); // over before the minute is: no second ring in the same minute
    EXPECT_EQ(alert.steps, steps);

    clock.Set(At(7, 4, 59.9, 1));
    Tick();
    EXPECT_EQ(alert.steps, steps + 1);
    PressAction(); // the add button silences it at once and moves it on
    EXPECT_EQ(view.text, "7:15");
    Tick();
    EXPECT_EQ(alert.steps, steps + 1);
    EXPECT_FALSE(alert.windowVisible);
}

// Each row: tray icon, taskbar button, shown always, window visible, minimized; then
// whether the tray tip and the caption show the time.
TEST_F(ModeTest, ProgressGoesToTrayTipAndCaptionAsConfigured) {
    options.showProgress = true;
    for (const char* c :
         {"10010 00", "10000 10", "11110 11", "01010 00", "01011 01", "11011 00", "01110 01"}) {
        std::tie(options.trayIcon, options.taskbarButton, options.progressAlways, view.visible,
                 view.minimized) =
            std::tuple(c[0] == '1', c[1] == '1', c[2] == '1', c[3] == '1', c[4] == '1');
        tray.tip.clear();
        StartCountDown(QStringLiteral("2"));
        Tick();
        EXPECT_EQ(tray.tip == "2:00", c[6] == '1') << c;
        EXPECT_EQ(view.caption == "2:00", c[7] == '1') << c;
        PressAction();
    }
}
