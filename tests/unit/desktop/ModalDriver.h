#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace plimset {

// Runs `act` on the next modal window that `matches` accepts, once it is open; `act` must
// close it. When none opens within a few seconds the test fails instead of hanging.
inline void WhenModalOpens(std::function<bool(QWidget*)> matches,
                           std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QElapsedTimer started;
    started.start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && matches(modal)) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (started.elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog did not open";
        }
    });
    timer->start(10);
}

template <typename Dialog> void WhenModalOpens(std::function<void(Dialog*)> act) {
    WhenModalOpens([](QWidget* modal) { return qobject_cast<Dialog*>(modal) != nullptr; },
                   [act](QWidget* modal) { act(qobject_cast<Dialog*>(modal)); });
}

} // namespace plimset
