#include "EngineFixture.h"

#include <QThread>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

using namespace plimset;

using EngineClockTest = EngineFixture;

TEST_F(EngineClockTest, CountDownAcrossASuspendThatSpansMidnight) {
    clock.Set(At(23, 0));
    StartCountDown(QStringLiteral("180"));
    RunFor(30 * 60);
    EXPECT_EQ(view.text, "150:00");
    // Asleep from 23:30 to 01:30: the first tick after midnight comes 90 minutes late,
    // and arms the next for the next shown second.
    Tick(2 * 3600);
    EXPECT_EQ(view.text, "30:00");
    EXPECT_NEAR(view.tickMs, 500, 2);
    ExpectZeroWithinOneTickOf(At(2, 0, 0, 1), 3600);
}

TEST_F(EngineClockTest, SleepsAcrossMidnightAreCountedInFull) {
    options.displayLength = 7;
    options.largestTime = TimeValueDuration(10000);
    clock.Set(At(10, 0));
    StartCountDown(QStringLiteral("10"));
    Tick();
    // Asleep until 10:05 the next day: the count ended a day ago.
    Tick(At(10, 5, 0, 1) - clock.Seconds());
    EXPECT_EQ(view.text, "0:00");

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
    engine.SetMode(TimerMode::Alarm);
    Type(QStringLiteral("3:00"));
    Tick();
    EXPECT_EQ(alert.steps, 0);
    EXPECT_NEAR(view.tickMs, 101, 1); // the minute
    clock.StepWallClock(3600);        // 02:00 becomes 03:00
    TickWhenArmed();
    EXPECT_EQ(alert.steps, 1);

    // A clock set while armed runs the tick at once (see ClockStepWatch), which arms
    // afresh from the new time.
    PressAction(); // 3:10
    clock.StepWallClock(9 * 60 + 30);
    Tick(0);
    EXPECT_NEAR(view.tickMs, 25000, 1); // 3:09:55, when the sound gets ready
}

// The tick comes as the shown time changes: within a few milliseconds of the change that a
// tick every millisecond sees, never before it, and no other tick but the one at the start
// (and one more at midnight, where the steps of the clock's reading shrink from almost 8 ms).
// A count of days blurs the shown value.
TEST_F(EngineClockTest, ArmedTicksComeAsTheShownTimeChanges) {
    clock.Set(At(12, 0));
    StartCountDown(QStringLiteral("0:05"));
    Tick(0.7);
    EXPECT_EQ(view.text, "0:04");
    // 0:03 once less than 3.5 s are left: the next step of the reading, and a millisecond.
    EXPECT_GE(view.tickMs, 800);
    EXPECT_LE(view.tickMs, 804);

    options.displayLength = 7;
    options.largestTime = TimeValueDuration(10000);
    struct Case {
        TimerMode mode;
        double start;
        const char* text;
        std::size_t otherTicks;
    };
    const Case cases[] = {{TimerMode::CountDown, At(12, 0, 0.3), "0:05", 1},
                          {TimerMode::StopWatch, At(23, 59, 57.1), "", 2},
                          {TimerMode::CountDown, At(18, 0, 0.45), "3000", 1}};
    for (const Case& c : cases) {
        AppState refState;
        FakeClock refClock{c.start};
        FakeTimerView refView;
        FakeAlertOutput refAlert;
        FakeTrayTip refTray;
        TimerEngine ref{refState, options, refClock, refView, refAlert, refTray};
        ref.SetMode(c.mode);
        refView.text = QString::fromLatin1(c.text);
        ref.TextChanged();
        ref.PressActionButton();
        clock.Set(c.start);
        engine.SetMode(c.mode);
        Type(QString::fromLatin1(c.text));
        PressAction();

        std::vector<std::pair<double, QString>> changes;
        for (int ms = 1; ms <= 5000; ++ms) {
            const QString before = refView.text;
            refClock.Set(c.start + ms / 1000.0);
            ref.Tick();
            if (refView.text != before) {
                changes.emplace_back(refClock.Seconds(), refView.text);
            }
        }
        ASSERT_GE(changes.size(), 4u) << c.text;
        std::size_t ticks = 0;
        for (const auto& [at, text] : changes) {
            while (view.text != text) {
                ASSERT_LT(clock.Seconds(), at) << text.toStdString();
                TickWhenArmed();
                ++ticks;
            }
            EXPECT_GT(clock.Seconds(), at - 0.001) << text.toStdString();
            EXPECT_LE(clock.Seconds(), at + 0.003) << text.toStdString();
        }
        EXPECT_LE(ticks, changes.size() + c.otherTicks) << c.text;
    }
}

TEST_F(EngineClockTest, AlertsStartedBeforeMidnightEndAfterALateWake) {
    options.ringDuration = TimeValueDuration(0.05f);   // 5 s
    options.displayDuration = TimeValueDuration(1.0f); // 60 s
    clock.Set(At(23, 59));
    StartCountDown(QStringLiteral("0:30"));
    RunFor(40);
    ASSERT_GT(alert.steps, 0);
    // Asleep from 23:59:40 to 00:20: both phases ran out during the sleep.
    Tick(20 * 60 + 20);
    EXPECT_EQ(engine.CurrentRunState(), RunState::Stopped);
    EXPECT_FALSE(alert.windowVisible);

    // The same for an alarm ringing at 23:59.
    clock.Set(At(23, 58, 59.9, 1));
    engine.SetMode(TimerMode::Alarm);
    Type(QStringLiteral("23:59"));
    RunFor(10);
    ASSERT_EQ(alert.pending.toInt(), 2);
    const int steps = alert.steps;
    Tick(10 * 60);
    EXPECT_EQ(alert.steps, steps);
    EXPECT_FALSE(alert.windowVisible);
}

TEST_F(EngineClockTest, MultiDayCountDownLosesADayAtEachMidnight) {
    options.displayLength = 7;
    options.largestTime = TimeValueDuration(10000);
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
    options.repeatCountDown = true;
    options.showAlertWindow = false;
    options.soundSource = SoundSource::None;
    options.ringDuration = TimeValueDuration(0.01f);
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
    EXPECT_EQ(engine.CurrentRunState(), RunState::Running);
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
