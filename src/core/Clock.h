#pragma once

#include <QTime>

namespace plimset {

// The time sources of the timer. Countdowns, stopwatches and alert durations are timed on
// SecondsOfDay; alarms compare against the wall clock's LocalTime. Tests substitute a fake.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, 0 <= s < 86400, with a sub-second fraction. It never
    // jumps: a daylight-saving change or a clock step does not move it, and it keeps
    // counting while the machine sleeps. It only wraps to 0 once a day.
    virtual float SecondsOfDay() = 0;
    // The wall-clock local time of day, for alarms.
    virtual QTime LocalTime() = 0;
};

// The machine's clock: the local time of day read once at construction, advanced from then
// on by the boot-time clock, which does not jump and counts suspended time.
class SystemClock : public Clock {
public:
    SystemClock();
    float SecondsOfDay() override;
    QTime LocalTime() override;

private:
    double startOfDay_ = 0; // local seconds of day at construction
    double startBoot_ = 0;  // boot-time clock at construction
};

} // namespace plimset
