#include "EngineFixture.h"

using namespace plimset;
using enum TimerMode;

using ModeTest = EngineFixture;
using CountDownTest = EngineFixture;
using StopWatchTest = EngineFixture;
using AlarmTest = EngineFixture;

TEST_F(ModeTest, BadInputIsHarmless) {
    engine.PresetChosen(5); // no presets
    engine.PresetChosen(-1);
    // Zero, negative and non-numeric texts do not start a countdown.
    for (const char* text : {"0", "-3", "abc", ""}) {
        Type(QString::fromLatin1(text));
        PressAction();
        EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped) << text;
    }
}

TEST_F(ModeTest, DialogsAndTheTrayMenuHoldTheTick) {
    StartCountDown(QStringLiteral("1"));
    for (bool* open : {&state.optionsOpen, &state.trayMenuOpen}) {
        *open = true;
        RunFor(10);
        EXPECT_EQ(view.text, "1:00");
        EXPECT_EQ(view.tickMs, TimerEngine::StepMilliseconds);
        *open = false;
    }
    Tick();
    EXPECT_EQ(view.text, "0:40");
}

TEST_F(CountDownTest, ShowsZeroHalfASecondEarlyThenRunsBothAlertPhases) {
    options.ringDuration = TimeValueDuration(0.03f);   // 3 s
    options.displayDuration = TimeValueDuration(0.2f); // 20 s
    const double start = clock.Seconds();
    StartCountDown(QStringLiteral("0:30"));

    RunFor(29.4);
    EXPECT_EQ(view.text, "0:01");
    Tick();
    EXPECT_EQ(view.text, "0:00");
    EXPECT_EQ(alert.steps, 0);
    EXPECT_EQ(view.tickMs, TimerEngine::StepMilliseconds);

    // Alerts start on the tick after zero is shown, with both phases pending.
    Tick();
    EXPECT_EQ(alert.pending.toInt(), 3);
    EXPECT_NEAR(engine.AlertStart(AlertPhase::Sound).since, start + 29.8, 0.01);
    RunFor(3.2);
    EXPECT_EQ(alert.pending.toInt(), 2); // the sound phase is over
    RunFor(17.2);
    // Both phases over: stopped and reloaded with the value it ran from.
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(view.text, "0:30");
    EXPECT_FALSE(alert.windowVisible);
    EXPECT_FALSE(view.tickEnabled);
}

TEST_F(CountDownTest, LongValuesAreCappedAtTheDisplayMaximum) {
    options.timeSeparator = TimeSeparator::Dot;
    options.displayLength = 5;
    options.largestTime = TimeValueDuration(100);
    engine.SetMode(CountDown);
    const char* cases[][2] = {{"99.59", "99.59"}, {"99.60", "100.00"}, {"150", "100.00"}};
    for (const auto& c : cases) {
        Type(QString::fromLatin1(c[0]));
        PressAction();
        EXPECT_EQ(view.text, c[1]) << c[0];
        PressAction();
    }
}

TEST_F(CountDownTest, PauseKeepsTheTimeAndTheFirstStartStaysTheReloadValue) {
    options.showAlertWindow = false;
    options.ringDuration = TimeValueDuration(0.01f);
    StartCountDown(QStringLiteral("5"));
    RunFor(100);
    PressAction(); // pause
    EXPECT_EQ(view.text, "3:20");
    clock.Advance(30); // time while paused does not count
    PressAction();     // resume: rewriting the same text is no edit
    EXPECT_EQ(engine.LastSetValue(), 5.0f);
    RunFor(10);
    EXPECT_EQ(view.text, "3:10");
    // A value typed while paused becomes the new reload value.
    PressAction();
    Type(QStringLiteral("2"));
    PressAction();
    EXPECT_EQ(engine.LastSetValue(), 2.0f);
}

TEST_F(ModeTest, PresetsFillTheFieldButNeverStart) {
    options.alarmCount = 2;
    options.alarmPresets = {std::chrono::minutes(30), std::chrono::minutes(90),
                            std::chrono::minutes(0)};
    options.taskbarButton = false;
    engine.SetMode(Alarm); // from its first preset, in minutes from now
    EXPECT_EQ(engine.CurrentRunState(), RunState::Armed);
    EXPECT_EQ(view.text, "12:30");
    EXPECT_EQ(view.taskbarButton, false);
    clock.Advance(60);
    engine.PresetChosen(1);
    EXPECT_EQ(view.text, "13:31");

    // Without presets: AddMinute ahead.
    options.alarmCount = 0;
    engine.SetMode(CountDown);
    engine.SetMode(Alarm);
    EXPECT_EQ(view.text, "12:11");

    options.countDownCount = 2;
    options.countDownPresets = {TimeValueDuration(3.0f), TimeValueDuration(0.3f),
                                TimeValueDuration(0.0f)};
    engine.SetMode(CountDown);
    EXPECT_EQ(view.text, "3:00");
    PressAction();
    RunFor(5);
    engine.PresetChosen(1);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_EQ(view.text, "0:30");
    EXPECT_EQ(view.focus, "Command2");
    engine.PressActionAccessKey();
    EXPECT_EQ(engine.LastSetValue(), 0.3f);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Running);
}

TEST_F(CountDownTest, UnlimitedMessageAlertsUntilStopOrClear) {
    options.displayDuration = TimeValueDuration(0);
    options.ringDuration = TimeValueDuration(0.01f);
    StartCountDown(QStringLiteral("0:05"));
    RunFor(300);
    EXPECT_EQ(alert.pending.toInt(), 2);
    PressAction();
    EXPECT_EQ(view.text, "0:05");
    EXPECT_FALSE(alert.windowVisible);

    // The clear button ends an alert just as well, and empties the field.
    PressAction();
    RunFor(10);
    engine.ClearTime();
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_FALSE(alert.windowVisible);
    EXPECT_EQ(view.text, "");
}

TEST_F(CountDownTest, SoundPlayedToItsEndFinishesTheSoundPhase) {
    options.soundSource = SoundSource::File;
    options.playSoundToEnd = true;
    options.showAlertWindow = false;
    options.ringDuration = TimeValueDuration(0.01f); // ignored: the file plays to its end
    int played = 0;
    alert.onStep = [&](AlertParts) {
        if (++played % 50 == 0) {
            engine.SetAlertStart(AlertPhase::Sound, {AlertStamp::State::PlayedToEnd});
        }
    };
    StartCountDown(QStringLiteral("0:01"));
    RunFor(20);
    EXPECT_EQ(played, 50);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);

    // A repeating count starts again on the tick after its sound has played to its end.
    options.repeatCountDown = true;
    PressAction();
    for (int i = 0; i < 200 && played < 100; ++i) {
        Tick();
    }
    Tick();
    EXPECT_EQ(view.text, "0:01");
    EXPECT_EQ(engine.CurrentRunState(), RunState::Running);
}

TEST_F(StopWatchTest, CountsAcrossMidnightAndResumesFromTheShownValue) {
    clock.Set(At(23, 59, 50));
    engine.SetMode(StopWatch);
    PressAction();
    RunFor(20);
    PressAction();
    EXPECT_EQ(view.text, "0:20");
    clock.Advance(100);
    PressAction();
    Tick(0);
    // A reading equal to the start is no time yet, not a whole day.
    EXPECT_EQ(view.text, "0:20");
    RunFor(5);
    EXPECT_EQ(view.text, "0:25");

    PressAction();
    Type(QStringLiteral("5000")); // beyond the maximum: starts from zero
    PressAction();
    EXPECT_EQ(view.text, "0:00");
}

TEST_F(StopWatchTest, StopsByItselfAtTheMaximum) {
    options.displayLength = 5;
    options.largestTime = TimeValueDuration(100);
    options.timeSeparator = TimeSeparator::Dot;
    options.showProgress = true;
    options.progressAlways = true;
    engine.SetMode(StopWatch);
    Type(QStringLiteral("99.50"));
    PressAction();
    RunFor(9.4);
    EXPECT_EQ(view.caption, "99.59");
    RunFor(0.4);
    EXPECT_EQ(view.text, "100.00");
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    // The tick that stops it puts the mode name back in the caption.
    EXPECT_EQ(view.caption, "StopWatch");
}

TEST_F(StopWatchTest, TicksBetweenShownSecondsChangeNothing) {
    // Every text, caption or tip set costs a repaint and events to a screen reader, so a
    // count with its time in the caption and the tip sets each once per shown second,
    // not on every tick.
    options.showProgress = true;
    options.progressAlways = true;
    options.trayIcon = true;
    options.taskbarButton = true;
    engine.SetMode(StopWatch);
    PressAction();
    Tick();
    view.setTextCount = 0;
    view.setCaptionCount = 0;
    tray.count = 0;
    RunFor(10);
    EXPECT_EQ(view.text, "0:10");
    EXPECT_EQ(view.setTextCount, 10);
    EXPECT_EQ(view.setCaptionCount, 10);
    EXPECT_EQ(tray.count, 10);

    // An armed alarm ticks all the time and shows the same text for hours.
    engine.SetMode(Alarm);
    Type(QStringLiteral("18:00"));
    Tick();
    view.setTextCount = 0;
    view.setCaptionCount = 0;
    tray.count = 0;
    RunFor(10);
    EXPECT_EQ(view.setTextCount, 0);
    EXPECT_EQ(view.setCaptionCount, 0);
    EXPECT_EQ(tray.count, 0);
}

TEST_F(AlarmTest, RingsInItsMinuteAndComesBackTheNextDay) {
    options.ringDuration = TimeValueDuration(0.03f);   // 3 s
    options.displayDuration = TimeValueDuration(0.3f); // 30 s
    clock.Set(At(7, 4, 59.9));
    engine.SetMode(Alarm);
    Type(QStringLiteral("7:05"));
    Tick(0);
    EXPECT_EQ(alert.steps, 0);
    Tick();
    EXPECT_EQ(alert.pending.toInt(), 3);
    RunFor(33.2);
    const int steps = alert.steps;
    EXPECT_FALSE(alert.windowVisible);
    // Over before the minute is: no second ring in the same minute.
    RunFor(30);
    EXPECT_EQ(alert.steps, steps);

    clock.Set(At(7, 4, 59.9, 1));
    Tick();
    EXPECT_EQ(alert.steps, steps + 1);
    EXPECT_EQ(alert.pending.toInt(), 3);

    // The add button silences it at once and moves it on.
    PressAction();
    EXPECT_EQ(view.text, "7:15");
    Tick();
    EXPECT_EQ(alert.steps, steps + 1);
    EXPECT_FALSE(alert.windowVisible);
}

TEST_F(AlarmTest, GetsItsSoundReadyAFewSecondsBeforeItsMinute) {
    // An armed alarm's ticks come at those two moments of each minute of the wall clock.
    clock.Set(At(23, 59, 50));
    engine.SetMode(Alarm);
    Type(QStringLiteral("0:00"));
    Tick(0);
    EXPECT_NEAR(view.tickMs, 5001, 1);
    Tick(4.99);
    EXPECT_EQ(alert.prepareCount, 0) << "nothing readied while the alarm is far";
    TickWhenArmed();
    EXPECT_EQ(alert.prepareCount, 1) << "readied across midnight";
    EXPECT_EQ(alert.steps, 0);
    EXPECT_NEAR(view.tickMs, 5000, 1);
    TickWhenArmed();
    EXPECT_EQ(alert.steps, 1);
    EXPECT_EQ(view.tickMs, TimerEngine::StepMilliseconds);
}

TEST_F(ModeTest, ProgressGoesToTrayTipAndCaptionAsConfigured) {
    struct Case {
        qint16 tray, bar, always;
        bool visible, minimized;
        bool tipShowsTime, captionShowsTime;
    };
    const Case cases[] = {
        {1, 0, 0, true, false, false, false}, {1, 0, 0, false, false, true, false},
        {1, 1, 1, true, false, true, true},   {0, 1, 0, true, false, false, false},
        {0, 1, 0, true, true, false, true},   {1, 1, 0, true, true, false, false},
        {0, 1, 1, true, false, false, true},  {0, 0, 1, false, true, false, false},
    };
    options.showProgress = true;
    for (const Case& c : cases) {
        options.trayIcon = c.tray == 1;
        options.taskbarButton = c.bar == 1;
        options.progressAlways = c.always == 1;
        view.visible = c.visible;
        view.minimized = c.minimized;
        tray.tip.clear();
        StartCountDown(QStringLiteral("2"));
        Tick();
        const auto label = ::testing::Message()
                           << c.tray << c.bar << c.always << c.visible << c.minimized;
        EXPECT_EQ(tray.tip == "2:00", c.tipShowsTime) << label;
        EXPECT_EQ(view.caption == "2:00", c.captionShowsTime) << label;
        PressAction();
    }

    // Hidden while counting: the tip shows the time at once, not at the next shown second.
    options.trayIcon = true;
    options.progressAlways = false;
    view.visible = true;
    StartCountDown(QStringLiteral("2"));
    Tick();
    view.visible = false;
    engine.RefreshProgress();
    EXPECT_EQ(tray.tip, "2:00");

    // Without Progress nothing but the mode name is shown.
    options.showProgress = false;
    options.progressAlways = true;
    options.trayIcon = true;
    StartCountDown(QStringLiteral("2"));
    Tick();
    EXPECT_EQ(view.caption, "CountDown");
    EXPECT_EQ(tray.tip, "CountDown");
}
