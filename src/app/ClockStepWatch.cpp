#include "app/ClockStepWatch.h"

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace plimset {

ClockStepWatch::ClockStepWatch(std::function<void()> onStep) : onStep_(std::move(onStep)) {
    fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                     [this] { readNotice(); });
    arm();
}

ClockStepWatch::~ClockStepWatch() {
    notifier_.reset();
    if (fd_ >= 0) {
        close(fd_);
    }
}

void ClockStepWatch::arm() {
    // A timer on the wall clock that never expires in practice, cancelled by the kernel
    // whenever that clock is set or the machine resumes, which makes it readable.
    constexpr time_t year = 365L * 86400;
    itimerspec farOff{};
    clock_gettime(CLOCK_REALTIME, &farOff.it_value);
    farOff.it_value.tv_sec += year;
    if (timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &farOff, nullptr) != 0) {
        notifier_->setEnabled(false); // no notice to wait for
    }
}

void ClockStepWatch::readNotice() {
    std::uint64_t expirations = 0;
    const bool stepped = read(fd_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
    if (!stepped && expirations == 0) {
        return; // nothing to read after all
    }
    // The far expiry reached is re-armed alike, without a notice.
    arm();
    if (stepped) {
        onStep_();
    }
}

} // namespace plimset
