#pragma once

#include <QTime>

namespace plimset {

// One reading of the timing clock: the time of day and how many midnights have passed
// since the clock started counting.
struct ClockReading {
    float secondsOfDay = 0; // 0 <= s < 86400, with a sub-second fraction
    qint64 day = 0;
    // The same moment before it was rounded to single precision, for timing the next
    // reading: near the end of a day one step of secondsOfDay is almost 8 ms.
    double exactSecondsOfDay = 0;
};

// The time sources of the timer. Countdowns, stopwatches and alert durations are timed on
// the continuous clock; alarms compare against the wall clock's LocalTime. Tests
// substitute a fake.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since the local midnight before the clock started counting. It never
    // jumps: a daylight-saving change or a clock step does not move it, and it keeps
    // counting while the machine sleeps.
    virtual double ContinuousSeconds() = 0;
    // The wall-clock local time of day, for alarms.
    virtual QTime LocalTime() = 0;

    // The continuous clock as time of day and day count, consistent with each other.
    ClockReading Read();
    float SecondsOfDay() { return Read().secondsOfDay; }
};

// Splits a continuous reading into time of day and day count.
ClockReading SplitClockReading(double continuousSeconds);

// The machine's clock: the local time of day read once at construction, advanced from then
// on by the boot-time clock, which does not jump and counts suspended time.
class SystemClock : public Clock {
public:
    SystemClock();
    double ContinuousSeconds() override;
    QTime LocalTime() override;

private:
    double startOfDay_ = 0; // local seconds of day at construction
    double startBoot_ = 0;  // boot-time clock at construction
};

} // namespace plimset
