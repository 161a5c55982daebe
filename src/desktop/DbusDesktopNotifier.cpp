#include "desktop/DbusDesktopNotifier.h"

#include "desktop/DbusCall.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace plimset {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The action the notice offers, and the one a click on the notice itself invokes.
const QString StopKey = QStringLiteral("stop");
const QString DefaultKey = QStringLiteral("default");
// An alert lasts until it is stopped or ends, so its notice stays and is not put aside
// as a routine one.
constexpr uchar CriticalUrgency = 2;
constexpr qint32 NeverExpires = 0;
// News goes as the service treats routine notifications.
constexpr uchar NormalUrgency = 1;
constexpr qint32 ServiceChoosesExpiry = -1;

// Whether an error says that no notification service is there to answer.
bool NoService(const QDBusError& error) {
    return error.type() == QDBusError::ServiceUnknown || error.type() == QDBusError::Disconnected ||
           error.type() == QDBusError::NoServer ||
           error.name().startsWith(u"org.freedesktop.DBus.Error.Spawn.") ||
           error.name() == u"org.freedesktop.DBus.Error.NameHasNoOwner";
}

QDBusMessage Call(const QString& method) {
    return QDBusMessage::createMethodCall(Service, Path, Interface, method);
}

} // namespace

DbusDesktopNotifier::DbusDesktopNotifier(QString iconName, QObject* parent)
    : DesktopNotifier(parent), iconName_(std::move(iconName)) {}

DbusDesktopNotifier::~DbusDesktopNotifier() {
    Withdraw();
}

void DbusDesktopNotifier::Show(const DesktopNotice& notice) {
    wanted_ = true;
    const quint64 request = ++request_;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    if (!listening_) {
        // Any sender: matching the service's name would ask the bus for its owner and wait.
        // The ids the service gave out tell its signals apart.
        listening_ = true;
        bus.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
                    SLOT(OnActionInvoked(uint, QString)));
        bus.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
                    SLOT(OnNotificationClosed(uint, uint)));
    }
    // Whether the body may carry markup decides whether its text is escaped. A service
    // that is not there answers with an error, and nothing more happens; one that cannot
    // tell its capabilities gets plain text.
    CallAsync<QStringList>(
        bus, Call(QStringLiteral("GetCapabilities")), this,
        [this, notice, request](const QDBusPendingReply<QStringList>& reply) {
            if (request != request_ || (reply.isError() && NoService(reply.error())))
                return;
            SendNotify(notice,
                       !reply.isError() && reply.value().contains(QStringLiteral("body-markup")));
        });
}

void DbusDesktopNotifier::SendNotify(const DesktopNotice& notice, bool bodyMarkup) {
    const quint64 request = request_;
    const QStringList actions{DefaultKey, notice.stopCaption, StopKey, notice.stopCaption};
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(CriticalUrgency)},
        {QStringLiteral("desktop-entry"), iconName_},
        // The program rings the alert itself.
        {QStringLiteral("suppress-sound"), true},
    };
    QDBusMessage message = Call(QStringLiteral("Notify"));
    message << QCoreApplication::applicationName() << shownId_ << iconName_ << notice.summary
            << (bodyMarkup ? notice.body.toHtmlEscaped() : notice.body) << actions << hints
            << NeverExpires;
    CallAsync<uint>(QDBusConnection::sessionBus(), message, this,
                    [this, request](const QDBusPendingReply<uint>& reply) {
                        if (reply.isError())
                            return;
                        const uint id = reply.value();
                        if (request == request_ && wanted_) {
                            shownId_ = id;
                        } else if (id != shownId_) {
                            // Withdrawn or replaced while the service was answering.
                            Close(id);
                        }
                    });
}

void DbusDesktopNotifier::Withdraw() {
    wanted_ = false;
    ++request_;
    if (shownId_ != 0) {
        Close(shownId_);
        shownId_ = 0;
    }
}

void DbusDesktopNotifier::Inform(const QString& text) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // A new notification of its own (replacing none), whose summary is never markup.
    const QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(NormalUrgency)},
        {QStringLiteral("desktop-entry"), iconName_},
    };
    QDBusMessage message = Call(QStringLiteral("Notify"));
    message << QCoreApplication::applicationName() << uint(0) << iconName_ << text << QString()
            << QStringList() << hints << ServiceChoosesExpiry;
    bus.asyncCall(message);
}

void DbusDesktopNotifier::Close(uint id) {
    QDBusMessage message = Call(QStringLiteral("CloseNotification"));
    message << id;
    QDBusConnection::sessionBus().asyncCall(message);
}

void DbusDesktopNotifier::OnActionInvoked(uint id, const QString& actionKey) {
    if (id != 0 && id == shownId_ && (actionKey == StopKey || actionKey == DefaultKey))
        emit StopChosen();
}

void DbusDesktopNotifier::OnNotificationClosed(uint id, uint) {
    // Dismissed by the user or the service: it is no longer ours to close.
    if (id != 0 && id == shownId_)
        shownId_ = 0;
}

} // namespace plimset
