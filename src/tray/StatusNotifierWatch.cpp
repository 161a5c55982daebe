#include "tray/StatusNotifierWatch.h"

#include "desktop/DbusCall.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace plimset {

namespace {

constexpr int AnswerWithinMs = 1000;

QDBusMessage HostRegisteredQuestion() {
    QDBusMessage message = QDBusMessage::createMethodCall(
        StatusNotifierWatcherService, StatusNotifierWatcherPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << StatusNotifierWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    // An absent registry is no reason to start one.
    message.setAutoStartService(false);
    return message;
}

} // namespace

StatusNotifierWatch::StatusNotifierWatch(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    watcher_ = new QDBusServiceWatcher(StatusNotifierWatcherService, bus,
                                       QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &StatusNotifierWatch::Changed);
    // A panel may own the service a moment before it registers as the host that shows the
    // icons. Any sender: matching the service's name would ask the bus and wait.
    bus.connect(QString(), StatusNotifierWatcherPath, StatusNotifierWatcherService,
                QStringLiteral("StatusNotifierHostRegistered"), this, SIGNAL(Changed()));
}

bool StatusNotifierHostRegistered() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(StatusNotifierWatcherService))
        return false;
    const QDBusMessage reply = bus.call(HostRegisteredQuestion(), QDBus::Block, AnswerWithinMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

void AskStatusNotifierHostRegistered(QObject* context, std::function<void(bool)> answer) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        answer(false);
        return;
    }
    CallAsync<QDBusVariant>(
        bus, HostRegisteredQuestion(), context,
        [answer = std::move(answer)](const QDBusPendingReply<QDBusVariant>& reply) {
            answer(!reply.isError() && reply.value().variant().toBool());
        },
        AnswerWithinMs);
}

} // namespace plimset
