#pragma once

#include "core/Clock.h"

#include <cmath>

namespace plimset {

// A clock the test moves by hand. It counts continuous seconds from a midnight of "day 0",
// as the real clock does. The wall clock starts
// in step with it and can be moved on its own, as a daylight-saving change or a clock step
// moves it.
class FakeClock : public Clock {
public:
    explicit FakeClock(double seconds = 0) : seconds_(seconds) {}

    double ContinuousSeconds() override { return seconds_; }
    QTime LocalTime() override {
        const double wall =
            std::fmod(std::fmod(seconds_ + wallOffset_, 86400.0) + 86400.0, 86400.0);
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(wall * 1000.0) % 86400000);
    }

    // Time passes: both clocks move (a suspend included).
    void Advance(double seconds) { seconds_ += seconds; }
    void Set(double seconds) { seconds_ = seconds; }
    // Only the wall clock moves (daylight saving, a clock step).
    void StepWallClock(double seconds) { wallOffset_ += seconds; }
    double Seconds() const { return seconds_; }

private:
    double seconds_;
    double wallOffset_ = 0;
};

// Seconds from day-0 midnight for a time of day, optionally on a later day.
constexpr double At(int hour, int minute, double second = 0, int day = 0) {
    return day * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
}

} // namespace plimset
