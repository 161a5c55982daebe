#include "core/Clock.h"

#include <cmath>
#include <ctime>

namespace plimset {

namespace {

constexpr double secondsPerDay = 86400.0;

double bootSeconds() {
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0) {
        // Kernels without a boot-time clock still have a monotonic one (it only stops
        // during suspend).
        clock_gettime(CLOCK_MONOTONIC, &ts);
    }
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

} // namespace

ClockReading SplitClockReading(double continuousSeconds) {
    const double day = std::floor(continuousSeconds / secondsPerDay);
    auto secondsOfDay = static_cast<float>(continuousSeconds - day * secondsPerDay);
    // Just before midnight the single-precision value can round up to a whole day.
    const double exact = continuousSeconds - day * secondsPerDay;
    if (secondsOfDay >= static_cast<float>(secondsPerDay)) {
        return ClockReading{0.0f, static_cast<qint64>(day) + 1, exact - secondsPerDay};
    }
    if (secondsOfDay < 0) {
        secondsOfDay = 0;
    }
    return ClockReading{secondsOfDay, static_cast<qint64>(day), exact};
}

ClockReading Clock::Read() {
    return SplitClockReading(ContinuousSeconds());
}

SystemClock::SystemClock()
    : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0), startBoot_(bootSeconds()) {
}

double SystemClock::ContinuousSeconds() {
    return startOfDay_ + (bootSeconds() - startBoot_);
}

QTime SystemClock::LocalTime() {
    return QTime::currentTime();
}

} // namespace plimset
