#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QObject>

#include <utility>

namespace plimset {

// Sends a method call without waiting and hands its reply (the values of Types, or the
// error) to `answered` once it comes, on the thread of `context`; nothing runs where
// `context` is gone by then. A call that could not be sent answers with an error too.
// timeoutMs -1 is the bus's own timeout.
template <class... Types, class Handler>
void CallAsync(const QDBusConnection& bus, const QDBusMessage& call, QObject* context,
               Handler answered, int timeoutMs = -1) {
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, timeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         answered(QDBusPendingReply<Types...>(*finished));
                     });
}

} // namespace plimset
