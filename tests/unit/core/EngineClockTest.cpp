#include "EngineFixture.h"

#include <QThread>
#include <algorithm>
#include <cmath>

using namespace plimset;

using EngineClockTest = EngineFixture;

TEST_F(EngineClockTest, CountDownAcrossASuspendThatSpansMidnight) {
    clock.Set(At(23, 0));
    StartCountDown(QStringLiteral("180"));
    RunFor(30 * 60);
    EXPECT_EQ(view.text, "150:00");
    // Asleep from 23:30 to 01:30: the first tick after midnight comes 90 minutes late.
    Tick(2 * 3600);
    EXPECT_EQ(view.text, "30:00");
    ExpectZeroWithinOneTickOf(At(2, 0, 0, 1), 3600);
}

TEST_F(EngineClockTest, SleepsAcrossMidnightAreCountedInFull) {
    options.MaxLength = 7;
    options.MaxTimeValue = 10000;
    clock.Set(At(10, 0));
    StartCountDown(QStringLiteral("10"));
    Tick();
    // Asleep until 10:05 the next day: the count ended a day ago.
    Tick(At(10, 5, 0, 1) - clock.Seconds());
    EXPECT_EQ(view.text, "0:00");

    engine.SetMode(StopWatch);
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

TEST_F(EngineClockTest, CountDownIgnoresDaylightSavingChanges) {
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
}

TEST_F(EngineClockTest, AlarmFollowsTheWallClockAcrossDaylightSaving) {
    clock.Set(At(1, 59, 59.7));
    engine.SetMode(Alarm);
    Type(QStringLiteral("3:00"));
    Tick();
    EXPECT_EQ(alert.steps, 0);
    clock.StepWallClock(3600); // 02:00 becomes 03:00
    Tick();
    EXPECT_EQ(alert.steps, 1);
}

TEST_F(EngineClockTest, AlertsStartedBeforeMidnightEndAfterALateWake) {
    options.RingDuration = 0.05f;   // 5 s
    options.DisplayDuration = 1.0f; // 60 s
    clock.Set(At(23, 59));
    StartCountDown(QStringLiteral("0:30"));
    RunFor(40);
    ASSERT_GT(alert.steps, 0);
    // Asleep from 23:59:40 to 00:20: both phases ran out during the sleep.
    Tick(20 * 60 + 20);
    EXPECT_EQ(engine.RunState(), TimerEngine::Stopped);
    EXPECT_FALSE(alert.windowVisible);

    // The same for an alarm ringing at 23:59.
    clock.Set(At(23, 58, 59.9, 1));
    engine.SetMode(Alarm);
    Type(QStringLiteral("23:59"));
    RunFor(10);
    ASSERT_EQ(alert.pending.toInt(), 2);
    const int steps = alert.steps;
    Tick(10 * 60);
    EXPECT_EQ(alert.steps, steps);
    EXPECT_FALSE(alert.windowVisible);
}

TEST_F(EngineClockTest, MultiDayCountDownLosesADayAtEachMidnight) {
    options.MaxLength = 7;
    options.MaxTimeValue = 10000;
    clock.Set(At(12, 0));
    StartCountDown(QStringLiteral("3000")); // 50 hours
    for (int hour = 0; hour < 49; ++hour) {
        for (int i = 0; i < 60; ++i) {
            Tick(60);
        }
    }
    EXPECT_EQ(view.text, "60:00");
    ExpectZeroWithinOneTickOf(At(14, 0, 0, 2), 3700);
}

// A repeating one-minute countdown over two days at 200 ms ticks: every end comes within
// one tick of a minute after its start, however many restarts and midnights came before.
TEST_F(EngineClockTest, RepeatingCountDownDoesNotDriftOverTwoDays) {
    options.CountDownRepeat = 1;
    options.MessageBox = 0;
    options.SoundFlag = 2;
    options.RingDuration = 0.01f;
    const double origin = At(0, 0, 7.3);
    clock.Set(origin);
    StartCountDown(QStringLiteral("1"));

    double start = origin;
    bool zero = false;
    int ends = 0;
    for (long i = 1; i <= 48L * 3600 * 5; ++i) {
        clock.Set(origin + static_cast<double>(i) * tick);
        engine.Tick();
        if (ShowsZero() && !zero) {
            ++ends;
            const double late = clock.Seconds() - (start + 59.5);
            ASSERT_TRUE(late >= -0.02 && late < tick + 0.02) << "end " << ends << ": " << late;
        } else if (!ShowsZero() && zero) {
            start = clock.Seconds(); // restarted on this tick
            ASSERT_EQ(view.text, "1:00");
        }
        zero = ShowsZero();
    }
    EXPECT_GT(ends, 48 * 60 * 59 / 61);
    EXPECT_GE(alert.steps, ends * 4); // every end rings for its second again
    EXPECT_EQ(engine.RunState(), TimerEngine::Running);
}

TEST(SystemClock, ReadsTheTimeOfDayAndMovesOn) {
    SystemClock clock;
    const float first = clock.SecondsOfDay();
    const int wall = clock.LocalTime().msecsSinceStartOfDay() / 1000;
    // Read at almost the same moment, both give the local time of day (allowing for midnight).
    const float apart = std::abs(first - static_cast<float>(wall));
    EXPECT_LT(std::min(apart, 86400.0f - apart), 2.0f);
    QThread::msleep(20);
    EXPECT_NE(clock.SecondsOfDay(), first);
}
