#include "EngineFixture.h"

using namespace plimset;

namespace {

class ModeTest : public EngineFixture {};
class CountDownTest : public EngineFixture {};
class StopWatchTest : public EngineFixture {};
class AlarmTest : public EngineFixture {};
class ProgressTest : public EngineFixture {};

} // namespace

TEST_F(ModeTest, EachModeStartsFromItsFirstPreset) {
    options.AlarmCount = 2;
    options.AlarmPresets = {30, 60, 0};
    options.TaskBar = 0;
    engine.SetMode(Alarm);
    EXPECT_EQ(engine.RunState(), TimerEngine::Armed);
    EXPECT_EQ(view.text, "12:30");
    EXPECT_EQ(view.textLimit, 5);
    EXPECT_EQ(view.taskbarButton, false);

    // Without presets: zero, AddMinute ahead, and the taskbar button left alone.
    view.taskbarButton.reset();
    engine.SetMode(CountDown);
    EXPECT_EQ(view.text, "0:00");
    EXPECT_EQ(view.textLimit, 6);
    EXPECT_FALSE(view.taskbarButton.has_value());
    options.AlarmCount = 0;
    engine.SetMode(Alarm);
    EXPECT_EQ(view.text, "12:10");
}

TEST_F(ModeTest, BadInputIsHarmless) {
    engine.SetMode(7);
    EXPECT_EQ(state.CurMode, CountDown);
    EXPECT_EQ(view.caption, "CountDown");
    engine.PresetChosen(5); // no presets
    engine.PresetChosen(-1);
    EXPECT_EQ(view.text, "0:00");
    engine.SetAlertStart(-1, 5.0f);
    EXPECT_EQ(engine.AlertStart(2), 0.0f);
    // Zero, negative and non-numeric texts do not start a countdown.
    for (const char* text : {"0", "-3", "abc", ""}) {
        Type(QString::fromLatin1(text));
        engine.Command2();
        EXPECT_EQ(engine.RunState(), TimerEngine::Stopped) << text;
        EXPECT_FALSE(view.tickEnabled);
    }
}

TEST_F(ModeTest, DialogsAndTheTrayMenuHoldTheTick) {
    StartCountDown(QStringLiteral("1"));
    state.OptionsOpen = true;
    RunFor(10);
    EXPECT_EQ(view.text, "1:00");
    state.OptionsOpen = false;
    state.TrayMenuOpen = true;
    RunFor(10);
    EXPECT_EQ(view.text, "1:00");
    state.TrayMenuOpen = false;
    Tick();
    EXPECT_EQ(view.text, "0:40");
}

TEST_F(CountDownTest, ShowsZeroHalfASecondEarlyThenRunsBothAlertPhases) {
    options.RingDuration = 0.03f;   // 3 s
    options.DisplayDuration = 0.2f; // 20 s
    const double start = clock.Seconds();
    StartCountDown(QStringLiteral("0:30"));
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
    EXPECT_TRUE(view.tickEnabled);

    RunFor(29.4);
    EXPECT_EQ(view.text, "0:01");
    EXPECT_EQ(engine.AlertTickCount(), 5);
    Tick();
    EXPECT_EQ(view.text, "0:00");
    EXPECT_EQ(view.alertSteps, 0);

    // Alerts start on the tick after zero is shown, with both phases pending.
    Tick();
    EXPECT_EQ(view.alertSteps, 1);
    EXPECT_EQ(view.pending, 3);
    EXPECT_NEAR(engine.AlertStart(0), start + 29.8, 0.01);

    RunFor(3.2);
    EXPECT_EQ(view.pending, 2); // the sound phase is over
    RunFor(16.6);
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
    RunFor(0.6);
    // Both phases over: stopped and reloaded with the value it ran from.
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(view.text, "0:30");
    EXPECT_FALSE(view.alertWindowVisible);
    EXPECT_FALSE(view.tickEnabled);
}

TEST_F(CountDownTest, LongValuesAreCappedAtTheDisplayMaximum) {
    options.TimeSeparator = 0;
    options.MaxLength = 5;
    options.MaxTimeValue = 100;
    engine.SetMode(CountDown);
    const struct {
        const char* typed;
        const char* started;
    } cases[] = {{"99.59", "99.59"}, {"99.60", "100.00"}, {"150", "100.00"}, {"0.5", "0.50"}};
    for (const auto& c : cases) {
        Type(QString::fromLatin1(c.typed));
        engine.Command2();
        EXPECT_EQ(view.text, c.started) << c.typed;
        EXPECT_EQ(engine.RunState(), TimerEngine::Running);
        engine.Command2();
    }
}

TEST_F(CountDownTest, PauseKeepsTheTimeAndTheFirstStartStaysTheReloadValue) {
    options.MessageBox = 0;
    options.RingDuration = 0.01f;
    StartCountDown(QStringLiteral("5"));
    EXPECT_EQ(view.text, "5:00");
    EXPECT_EQ(engine.LastSetValue(), 5.0f);
    RunFor(100);
    EXPECT_EQ(view.text, "3:20");
    engine.Command2(); // pause
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(view.text, "3:20");

    clock.Advance(30); // time while paused does not count
    engine.Command2(); // resume: rewriting the same text is no edit
    EXPECT_FALSE(engine.ValueEdited());
    EXPECT_EQ(engine.LastSetValue(), 5.0f);
    RunFor(10);
    EXPECT_EQ(view.text, "3:10");

    RunFor(195);
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(view.text, "5:00");

    // A value typed while paused becomes the new reload value.
    engine.Command2();
    RunFor(10);
    engine.Command2();
    Type(QStringLiteral("2"));
    EXPECT_TRUE(engine.ValueEdited());
    engine.Command2();
    EXPECT_EQ(engine.LastSetValue(), 2.0f);
}

TEST_F(CountDownTest, PresetStopsButNeverStarts) {
    options.CountDownCount = 2;
    options.CountDownPresets = {3.0f, 0.3f, 0.0f};
    engine.SetMode(CountDown);
    EXPECT_EQ(view.text, "3:00");
    engine.Command2();
    RunFor(5);
    engine.PresetChosen(1);
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_FALSE(view.tickEnabled);
    EXPECT_EQ(view.text, "0:30");
    EXPECT_TRUE(engine.ValueEdited());
    EXPECT_EQ(view.focus, "Command2");
    engine.Command3();
    EXPECT_EQ(engine.LastSetValue(), 0.3f);
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
}

TEST_F(CountDownTest, UnlimitedMessageAlertsUntilTheButtonIsPressed) {
    options.DisplayDuration = 0;
    options.RingDuration = 0.01f;
    StartCountDown(QStringLiteral("0:05"));
    RunFor(300);
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
    EXPECT_EQ(view.pending, 2);
    EXPECT_TRUE(view.alertWindowVisible);
    engine.Command2();
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(view.text, "0:05");
    EXPECT_FALSE(view.alertWindowVisible);

    // The clear button ends an alert just as well, and empties the field.
    engine.Command2();
    RunFor(10);
    ASSERT_TRUE(view.alertWindowVisible);
    engine.Command1(1);
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(engine.AlertStart(1), 0.0f);
    EXPECT_FALSE(view.alertWindowVisible);
    EXPECT_EQ(view.text, "");
}

TEST_F(CountDownTest, RepeatRestartsAtOnceWithTheReloadValue) {
    options.CountDownRepeat = 1;
    options.MessageBox = 0;
    options.RingDuration = 0.01f;
    StartCountDown(QStringLiteral("0:10"));
    RunFor(11.2);
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
    EXPECT_TRUE(view.tickEnabled);
    const int steps = view.alertSteps;
    EXPECT_GT(steps, 0);
    EXPECT_NEAR(engine.TargetTime() - clock.SecondsOfDay(), 10.0, 0.41);
    RunFor(5);
    EXPECT_EQ(view.text, "0:05");
    EXPECT_EQ(view.alertSteps, steps);
}

TEST_F(CountDownTest, SoundPlayedToItsEndFinishesTheSoundPhase) {
    options.SoundFlag = 1;
    options.SoundUntilEnd = 1;
    options.MessageBox = 0;
    options.RingDuration = 0.01f; // ignored: the file plays to its end
    int played = 0;
    view.onAlertStep = [&](int pending) {
        EXPECT_EQ(pending, 1);
        if (++played == 50) {
            engine.SetAlertStart(0, -2);
        }
    };
    StartCountDown(QStringLiteral("0:01"));
    RunFor(20);
    EXPECT_EQ(played, 50);
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_EQ(view.text, "0:01");
}

TEST_F(StopWatchTest, CountsAcrossMidnightAndResumesFromTheShownValue) {
    clock.Set(At(23, 59, 50));
    engine.SetMode(StopWatch);
    engine.Command2();
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
    RunFor(20);
    EXPECT_EQ(view.text, "0:20");
    engine.Command2();
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    clock.Advance(100);
    engine.Command2();
    Tick(0);
    // A reading equal to the start is no time yet, not a whole day.
    EXPECT_EQ(view.text, "0:20");
    RunFor(5);
    EXPECT_EQ(view.text, "0:25");

    engine.Command2();
    Type(QStringLiteral("5000")); // beyond the maximum: starts from zero
    engine.Command2();
    EXPECT_EQ(view.text, "0:00");
}

TEST_F(StopWatchTest, StopsByItselfAtTheMaximum) {
    options.MaxLength = 5;
    options.MaxTimeValue = 100;
    options.TimeSeparator = 0;
    options.Progress = 1;
    options.ShowAlways = 1;
    engine.SetMode(StopWatch);
    Type(QStringLiteral("99.50"));
    engine.Command2();
    RunFor(9.4);
    EXPECT_EQ(view.text, "99.59");
    EXPECT_EQ(view.caption, "99.59");
    RunFor(0.4);
    EXPECT_EQ(view.text, "100.00");
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_FALSE(view.tickEnabled);
    // The tick that stops it puts the mode name back in the caption.
    EXPECT_EQ(view.caption, "StopWatch");
}

TEST_F(AlarmTest, RingsInItsMinuteAndComesBackTheNextDay) {
    options.RingDuration = 0.03f;   // 3 s
    options.DisplayDuration = 0.3f; // 30 s
    clock.Set(At(7, 4, 59.9));
    engine.SetMode(Alarm);
    Type(QStringLiteral("7:05"));
    Tick(0);
    EXPECT_EQ(view.alertSteps, 0);
    Tick();
    EXPECT_EQ(view.alertSteps, 1);
    EXPECT_EQ(view.pending, 3);
    RunFor(3.2);
    EXPECT_EQ(view.pending, 2);
    RunFor(30);
    const int steps = view.alertSteps;
    EXPECT_FALSE(view.alertWindowVisible);
    // Over before the minute is: no second ring in the same minute.
    RunFor(20);
    EXPECT_EQ(view.alertSteps, steps);
    RunFor(10);
    EXPECT_EQ(engine.AlertStart(0), 0.0f); // re-armed after its minute
    EXPECT_EQ(engine.AlertStart(1), 0.0f);

    clock.Set(At(7, 4, 59.9, 1));
    Tick();
    EXPECT_EQ(view.alertSteps, steps + 1);
    EXPECT_EQ(view.pending, 3);
}

TEST_F(AlarmTest, AddMinuteSilencesARingingAlarmAndMovesIt) {
    engine.SetMode(Alarm);
    Type(QStringLiteral("12:00"));
    Tick();
    ASSERT_EQ(view.alertSteps, 1);
    engine.Command2();
    EXPECT_EQ(view.text, "12:10");
    EXPECT_EQ(engine.AlertStart(0), 0.0f);
    const int stops = view.stopSoundCount;
    Tick();
    EXPECT_EQ(view.alertSteps, 1);
    EXPECT_GT(view.stopSoundCount, stops);
    EXPECT_FALSE(view.alertWindowVisible);
}

TEST_F(AlarmTest, InvalidTimeNeverRingsAndPresetsCountFromNow) {
    options.AlarmCount = 1;
    options.AlarmPresets = {90};
    engine.SetMode(Alarm);
    Type(QStringLiteral("25:00"));
    for (int minute = 0; minute < 24 * 60; ++minute) {
        Tick(60);
    }
    EXPECT_EQ(view.alertSteps, 0);
    engine.PresetChosen(0);
    EXPECT_EQ(view.text, "13:30");
    EXPECT_EQ(view.focus, "Command2");
}

TEST_F(ProgressTest, TimeGoesToTrayTipAndCaptionAsConfigured) {
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
    for (const Case& c : cases) {
        options.Progress = 1;
        options.TaskTray = c.tray;
        options.TaskBar = c.bar;
        options.ShowAlways = c.always;
        view.visible = c.visible;
        view.minimized = c.minimized;
        view.trayTip.clear();
        StartCountDown(QStringLiteral("2"));
        Tick();
        const auto label = ::testing::Message()
                           << "tray " << c.tray << " bar " << c.bar << " always " << c.always
                           << " visible " << c.visible << " minimized " << c.minimized;
        EXPECT_EQ(view.trayTip == "2:00", c.tipShowsTime) << label;
        EXPECT_EQ(view.caption == "2:00", c.captionShowsTime) << label;
        if (c.tipShowsTime) {
            EXPECT_EQ(engine.LastTrayTip(), "2:00") << label;
        }
        engine.Command2();
    }

    // Without Progress nothing but the mode name is shown.
    options.Progress = 0;
    options.ShowAlways = 1;
    options.TaskTray = 1;
    StartCountDown(QStringLiteral("2"));
    Tick();
    EXPECT_EQ(view.caption, "CountDown");
    EXPECT_EQ(view.trayTip, "CountDown");
}
