#include "desktop/DbusDesktopNotifier.h"
#include "desktop/DbusCall.h"
#include "desktop/DbusStructure.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QStandardPaths>
#include <QStringList>
#include <QVariantMap>

namespace plimset {

// A picture as the notification service takes it in the "image-data" hint.
struct NoticeImage {
    qint32 width = 0;
    qint32 height = 0;
    qint32 rowStride = 0;
    bool hasAlpha = true;
    qint32 bitsPerSample = 8;
    qint32 channels = 4;
    QByteArray pixels; // rows of RGBA bytes
};

QDBusArgument& operator<<(QDBusArgument& out, const NoticeImage& image) {
    return WriteDbusStructure(out, image.width, image.height, image.rowStride, image.hasAlpha,
                              image.bitsPerSample, image.channels, image.pixels);
}
const QDBusArgument& operator>>(const QDBusArgument& in, NoticeImage& image) {
    return ReadDbusStructure(in, image.width, image.height, image.rowStride, image.hasAlpha,
                             image.bitsPerSample, image.channels, image.pixels);
}

} // namespace plimset

Q_DECLARE_METATYPE(plimset::NoticeImage)

namespace plimset {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The action the notice offers, and the one a click on the notice itself invokes.
const QString StopKey = QStringLiteral("stop");
const QString DefaultKey = QStringLiteral("default");
constexpr int ImageSize = 64;
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

// Whether an icon of this name is installed where every icon theme finds it: the theme
// all themes fall back to, in the user's or the system's data folders.
bool IconInstalled(const QString& name) {
    for (const QString& file : {QStringLiteral("icons/hicolor/scalable/apps/%1.svg"),
                                QStringLiteral("icons/hicolor/48x48/apps/%1.png")}) {
        if (!QStandardPaths::locate(QStandardPaths::GenericDataLocation, file.arg(name)).isEmpty())
            return true;
    }
    return false;
}

// The program's own icon, as its windows show it, for a copy whose icon is installed
// nowhere.
QVariant ProgramImage() {
    RegisterDbusTypes<NoticeImage>();
    const QImage image = QGuiApplication::windowIcon()
                             .pixmap(ImageSize, ImageSize)
                             .toImage()
                             .convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull())
        return {};
    return QVariant::fromValue(NoticeImage{
        .width = image.width(),
        .height = image.height(),
        .rowStride = static_cast<qint32>(image.bytesPerLine()),
        .pixels = QByteArray(reinterpret_cast<const char*>(image.constBits()),
                             static_cast<qsizetype>(image.sizeInBytes())),
    });
}

} // namespace

DbusDesktopNotifier::DbusDesktopNotifier(QString iconName, QObject* parent)
    : DesktopNotifier(parent), desktopEntry_(iconName), iconName_(std::move(iconName)) {}

QString DbusDesktopNotifier::IconName() {
    // Looked up once, at the first notice: a copy of the program whose icon is not
    // installed sends the picture itself, where the name would show a broken icon.
    if (!iconLooked_) {
        iconLooked_ = true;
        if (!IconInstalled(iconName_)) {
            image_ = ProgramImage();
            iconName_.clear();
        }
    }
    return iconName_;
}

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
        // Each signal's sender is checked against the service that answered the notice.
        listening_ = true;
        bus.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
                    SLOT(OnActionInvoked(uint, QString, QDBusMessage)));
        bus.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
                    SLOT(OnNotificationClosed(uint, uint, QDBusMessage)));
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
    const QStringList actions{DefaultKey, notice.showCaption, StopKey, notice.stopCaption};
    const QString icon = IconName();
    QVariantMap hints{
        {QStringLiteral("urgency"), QVariant::fromValue(CriticalUrgency)},
        {QStringLiteral("desktop-entry"), desktopEntry_},
        // The program rings the alert itself.
        {QStringLiteral("suppress-sound"), true},
    };
    if (image_.isValid())
        hints.insert(QStringLiteral("image-data"), image_);
    QDBusMessage message = Call(QStringLiteral("Notify"));
    message << QCoreApplication::applicationName() << shownId_ << icon << notice.summary
            << (bodyMarkup ? notice.body.toHtmlEscaped() : notice.body) << actions << hints
            << NeverExpires;
    CallAsync<uint>(QDBusConnection::sessionBus(), message, this,
                    [this, request](const QDBusPendingReply<uint>& reply) {
                        if (reply.isError())
                            return;
                        const uint id = reply.value();
                        if (request == request_ && wanted_) {
                            shownId_ = id;
                            server_ = reply.reply().service();
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

bool DbusDesktopNotifier::FromShownNotice(uint id, const QDBusMessage& signal) const {
    // Any connection may send these signals; only the service's own are the user's.
    return id != 0 && id == shownId_ && !server_.isEmpty() && signal.service() == server_;
}

void DbusDesktopNotifier::OnActionInvoked(uint id, const QString& actionKey,
                                          const QDBusMessage& signal) {
    if (!FromShownNotice(id, signal))
        return;
    if (actionKey == StopKey)
        emit StopChosen();
    else if (actionKey == DefaultKey)
        emit ShowChosen();
}

void DbusDesktopNotifier::OnNotificationClosed(uint id, uint, const QDBusMessage& signal) {
    // Dismissed by the user or the service: it is no longer ours to close.
    if (FromShownNotice(id, signal))
        shownId_ = 0;
}

} // namespace plimset
