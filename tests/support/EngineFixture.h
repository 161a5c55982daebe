#pragma once

#include "FakeAlertOutput.h"
#include "FakeClock.h"
#include "FakeTimerView.h"
#include "core/AppState.h"
#include "core/OptionSettings.h"
#include "core/TimerEngine.h"
#include "settings/OptionTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plimset {

// An engine on a fake clock and a recording view, with helpers that move time to the tick
// the engine armed, or in 200 ms ticks (any tick must leave the engine right).
class EngineFixture : public ::testing::Test {
protected:
    static constexpr double tick = 0.2;

    EngineFixture() {
        engine.SetModeCaptions(QStringLiteral("Alarm"), QStringLiteral("CountDown"),
                               QStringLiteral("StopWatch"));
    }

    void Tick(double seconds = tick) {
        clock.Advance(seconds);
        engine.Tick();
    }
    // Time passes until the tick the engine armed, which comes.
    void TickWhenArmed() { Tick(view.tickMs / 1000.0); }
    void RunFor(double seconds) {
        for (long i = std::lround(seconds / tick); i > 0; --i)
            Tick();
    }
    // The user types a text into the time field.
    void Type(const QString& text) {
        view.text = text;
        engine.TextChanged();
    }
    // The action button: start, stop, pause and resume, or add minutes to an alarm.
    void PressAction() { engine.PressActionButton(); }
    void StartCountDown(const QString& text) {
        engine.SetMode(TimerMode::CountDown);
        Type(text);
        PressAction();
    }
    bool ShowsZero() const { return view.text == u"0:00" || view.text == u"0.00"; }
    // Ticks until the field shows zero or `limit` seconds have passed. The field rounds to
    // the second, so it shows zero on the first tick whose remaining time is below half a
    // second: that tick must come within one tick of that moment.
    void ExpectZeroWithinOneTickOf(double end, double limit) {
        for (long i = std::lround(limit / tick); i > 0 && !ShowsZero(); --i)
            Tick();
        ASSERT_TRUE(ShowsZero()) << "still " << view.text.toStdString();
        EXPECT_GE(clock.Seconds(), end - 0.5 - 0.02);
        EXPECT_LT(clock.Seconds(), end - 0.5 + tick + 0.02);
    }

    AppState state;
    OptionSettings options = DefaultOptions();
    FakeClock clock{At(12, 0)};
    FakeTimerView view;
    FakeAlertOutput alert;
    FakeTrayTip tray;
    TimerEngine engine{state, options, clock, view, alert, tray};
};

} // namespace plimset
