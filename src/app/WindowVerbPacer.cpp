#include "app/WindowVerbPacer.h"

#include <algorithm>

namespace plimset {

WindowVerbPacer::WindowVerbPacer(std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), interval_(interval) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &WindowVerbPacer::CarryOut);
}

void WindowVerbPacer::Add(WindowVerb verb) {
    pending_ = CombineWindowVerbs(pending_, verb);
    if (timer_.isActive())
        return;
    std::chrono::milliseconds wait{0};
    if (sinceCarriedOut_.isValid())
        wait = std::max(wait, interval_ - std::chrono::milliseconds(sinceCarriedOut_.elapsed()));
    timer_.start(wait);
}

void WindowVerbPacer::CarryOut() {
    if (!pending_)
        return;
    const WindowVerb verb = *pending_;
    pending_.reset();
    sinceCarriedOut_.start();
    emit Due(verb);
}

} // namespace plimset
