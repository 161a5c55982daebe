#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>
#include <functional>

namespace plimset {

// Runs `act` on the next modal window of type Dialog once it is open and, where given,
// `matches` accepts it; `act` must close it. When none opens within a few seconds the test
// fails instead of hanging.
template <typename Dialog>
void WhenModalOpens(
    std::function<void(Dialog*)> act,
    std::function<bool(Dialog*)> matches = [](Dialog*) { return true; }) {
    auto* timer = new QTimer;
    QElapsedTimer started;
    started.start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* modal = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        const bool found = modal != nullptr && modal->isVisible() && matches(modal);
        if (!found && started.elapsed() <= 5000)
            return;
        timer->deleteLater();
        timer->stop();
        EXPECT_TRUE(found) << "the expected dialog did not open";
        if (found)
            act(modal);
    });
    timer->start(10);
}

} // namespace plimset
