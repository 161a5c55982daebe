#include "EngineFixture.h"

using namespace plimset;

using EngineClockTest = EngineFixture;

TEST_F(EngineClockTest, SleepsAcrossMidnightsAreCountedInFull) {
    options.displayLength = 7;
    options.largestTime = TimeValueDuration(10000);
    clock.Set(At(23, 0));
    StartCountDown(QStringLiteral("180"));
    RunFor(30 * 60);
    // Asleep from 23:30 to 01:30: the first tick comes 90 minutes late, and arms the next
    // for the next shown second.
    Tick(2 * 3600);
    EXPECT_EQ(view.text, "30:00");
    EXPECT_NEAR(view.tickMs, 500, 2);
    ExpectZeroWithinOneTickOf(At(2, 0, 0, 1), 3600);

    engine.SetMode(TimerMode::StopWatch);
    clock.Set(At(1, 0, 0, 2));
    PressAction();
    clock.Set(At(23, 0, 0, 2));
    Tick();
    EXPECT_EQ(view.text, "1320:00");
    // Asleep from 23:00 to 02:00, a later time of day than the start, then two days more.
    Tick(3 * 3600);
    EXPECT_EQ(view.text, "1500:00");
    Tick(2 * 86400);
    EXPECT_EQ(view.text, "4380:00");
}

TEST_F(EngineClockTest, CountDownIgnoresDaylightSavingAndTheAlarmFollowsIt) {
    for (double step : {3600.0, -3600.0}) {
        clock.Set(At(1, 30));
        StartCountDown(QStringLiteral("90"));
        RunFor(30 * 60);
        clock.StepWallClock(step); // the wall clock jumps at 02:00; the count does not
        Tick();
        EXPECT_EQ(view.text, "60:00") << step;
        ExpectZeroWithinOneTickOf(At(3, 0), 3700);
        engine.CancelRun();
    }

    clock.Set(At(1, 59, 59.7));
    engine.SetMode(TimerMode::Alarm);
    Type(QStringLiteral("3:00"));
    Tick();
    EXPECT_NEAR(view.tickMs, 101, 1); // the minute
    clock.StepWallClock(3600);        // 02:00 becomes 03:00
    TickWhenArmed();
    EXPECT_EQ(alert.steps, 1);
}

// The tick comes as the shown time changes: never before it (the text would not change)
// and within a few milliseconds after it, at a reading that is only a 4 ms step of the clock.
TEST_F(EngineClockTest, ArmedTicksComeAsTheShownTimeChanges) {
    const double start = At(12, 0, 0.3);
    clock.Set(start);
    StartCountDown(QStringLiteral("0:05"));
    Tick(0); // the tick at the start
    for (int shown = 4; shown >= 0; --shown) {
        TickWhenArmed();
        EXPECT_EQ(view.text, QStringLiteral("0:0%1").arg(shown));
        EXPECT_NEAR(clock.Seconds(), start + 4.5 - shown, 0.006) << shown; // under half left
    }
}

TEST_F(EngineClockTest, AlertsStartedBeforeMidnightEndAfterALateWake) {
    options.ringDuration = TimeValueDuration(0.05f);   // 5 s
    options.displayDuration = TimeValueDuration(1.0f); // 60 s
    clock.Set(At(23, 59));
    StartCountDown(QStringLiteral("0:30"));
    RunFor(40);
    ASSERT_GT(alert.steps, 0);
    Tick(20 * 60 + 20); // asleep from 23:59:40 to 00:20: both phases ran out meanwhile
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_FALSE(alert.windowVisible);
}

// A repeating one-minute countdown over two days at 200 ms ticks: every end comes within
// one tick of a minute after its start, however many restarts and midnights came before.
TEST_F(EngineClockTest, RepeatingCountDownDoesNotDriftOverTwoDays) {
    options.repeatCountDown = true;
    options.showAlertWindow = false;
    options.ringDuration = TimeValueDuration(0.01f);
    const double origin = At(0, 0, 7.3);
    clock.Set(origin);
    StartCountDown(QStringLiteral("1"));
    double start = origin;
    int ends = 0;
    for (long i = 1; i <= 48L * 3600 * 5; ++i) {
        const bool zero = ShowsZero();
        clock.Set(origin + static_cast<double>(i) * tick);
        engine.Tick();
        if (ShowsZero() && !zero) {
            ++ends;
            const double late = clock.Seconds() - (start + 59.5);
            ASSERT_TRUE(late >= -0.02 && late < tick + 0.02) << "end " << ends << ": " << late;
        } else if (!ShowsZero() && zero) {
            start = clock.Seconds(); // restarted on this tick
        }
    }
    EXPECT_GT(ends, 48 * 60 * 59 / 61);
}
