#include "app/RemoteControl.h"

#include "core/Version.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>

namespace plimset {

namespace {

// Long enough for a program busy with a modal dialog or a slow start to answer.
constexpr int AnswerTimeoutMs = 5000;
// A Plimset asked where its window is while this one starts; one that cannot say so at once
// is left out rather than holding up the start.
constexpr int PlaceTimeoutMs = 1000;
// Verbs closer together than this make one.
constexpr std::chrono::milliseconds VerbInterval{100};

QString MethodOf(WindowVerb verb) {
    switch (verb) {
    case WindowVerb::Toggle:
        return QStringLiteral("Toggle");
    case WindowVerb::Show:
        return QStringLiteral("Show");
    case WindowVerb::Hide:
        return QStringLiteral("Hide");
    }
    return {};
}

} // namespace

QString RemoteControlService() {
    return QString::fromLatin1(ApplicationId);
}

RemoteControl::RemoteControl(QObject* parent) : QObject(parent), pacer_(VerbInterval) {
    connect(&pacer_, &WindowVerbPacer::Due, this, &RemoteControl::VerbRequested);
}

RemoteControl::~RemoteControl() {
    if (!published_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(QString::fromLatin1(RemoteControlPath));
    bus.unregisterService(RemoteControlService());
}

RemoteControl::Publication RemoteControl::Publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return Publication::NoBus;
    if (!published_ && !bus.registerObject(QString::fromLatin1(RemoteControlPath), this,
                                           QDBusConnection::ExportScriptableSlots))
        return Publication::NoBus;
    published_ = true;
    // The bus tells this process when the name is its own: at once, or when the Plimsets
    // before it in the queue have ended.
    connect(bus.interface(), &QDBusConnectionInterface::serviceRegistered, this,
            [this](const QString& name) {
                if (name == RemoteControlService())
                    emit NameTaken();
            });
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(RemoteControlService(),
                                         QDBusConnectionInterface::QueueService,
                                         QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return Publication::NoBus;
    return reply.value() == QDBusConnectionInterface::ServiceRegistered ? Publication::Owner
                                                                        : Publication::Queued;
}

qint64 RemoteControl::OwnerProcess() const {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return 0;
    const QDBusReply<uint> pid = bus.interface()->servicePid(RemoteControlService());
    return pid.isValid() ? qint64(pid.value()) : 0;
}

QList<QPoint> RemoteControl::OtherWindowPlaces() const {
    QList<QPoint> places;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr)
        return places;
    const QDBusReply<QStringList> names =
        bus.interface()->call(QStringLiteral("ListQueuedOwners"), RemoteControlService());
    if (!names.isValid())
        return places;
    for (const QString& name : names.value()) {
        if (name == bus.baseService())
            continue;
        const QDBusMessage call = QDBusMessage::createMethodCall(
            name, QString::fromLatin1(RemoteControlPath),
            QString::fromLatin1(RemoteControlInterface), QStringLiteral("WindowPlace"));
        const QDBusReply<QPoint> place = bus.call(call, QDBus::Block, PlaceTimeoutMs);
        if (place.isValid())
            places << place.value();
    }
    return places;
}

QPoint RemoteControl::WindowPlace() {
    if (place_)
        return place_();
    sendErrorReply(QDBusError::Failed, QStringLiteral("no window yet"));
    return {};
}

RemoteDelivery SendWindowVerb(WindowVerb verb, QString* problem) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (problem != nullptr)
            *problem = QStringLiteral("no session bus to reach a running Plimset on");
        return RemoteDelivery::NoBus;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        RemoteControlService(), QString::fromLatin1(RemoteControlPath),
        QString::fromLatin1(RemoteControlInterface), MethodOf(verb));
    const QDBusMessage answer = bus.call(call, QDBus::Block, AnswerTimeoutMs);
    if (answer.type() == QDBusMessage::ReplyMessage)
        return RemoteDelivery::Delivered;
    const QDBusError error(answer);
    if (error.type() == QDBusError::ServiceUnknown ||
        error.name() == QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"))
        return RemoteDelivery::NoneRunning;
    if (problem != nullptr)
        *problem = QStringLiteral("the running Plimset did not answer %1: %2")
                       .arg(SwitchOfWindowVerb(verb), error.message());
    return RemoteDelivery::NoAnswer;
}

} // namespace plimset
