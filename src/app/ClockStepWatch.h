#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace plimset {

// Tells when the wall clock was set (by hand, or stepped by a time service) or the machine
// woke from suspend. The tick sleeps until the next moment something is due, timed on a
// clock that neither jumps nor counts suspended time; after either event it is run at once,
// so that an alarm's minute and the shown count catch up without waiting out a wait
// measured before. Where the system gives no such notice, the tick catches up when its
// armed wait ends.
class ClockStepWatch {
public:
    explicit ClockStepWatch(std::function<void()> onStep);
    ~ClockStepWatch();
    ClockStepWatch(const ClockStepWatch&) = delete;
    ClockStepWatch& operator=(const ClockStepWatch&) = delete;

private:
    void arm();
    void readNotice();

    std::function<void()> onStep_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace plimset
