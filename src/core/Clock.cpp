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

SystemClock::SystemClock()
    : startOfDay_(QTime::currentTime().msecsSinceStartOfDay() / 1000.0), startBoot_(bootSeconds()) {
}

float SystemClock::SecondsOfDay() {
    const double s = std::fmod(startOfDay_ + (bootSeconds() - startBoot_), secondsPerDay);
    const auto f = static_cast<float>(s);
    // Just before midnight the single-precision value can round up to a whole day.
    return f >= static_cast<float>(secondsPerDay) ? 0.0f : f;
}

QTime SystemClock::LocalTime() {
    return QTime::currentTime();
}

} // namespace plimset
