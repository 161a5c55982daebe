#include "tray/StatusNotifierItem.h"

#include "desktop/DbusCall.h"
#include "desktop/DbusStructure.h"
#include "tray/StatusNotifierMenu.h"
#include "tray/StatusNotifierWatch.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QImage>
#include <QTimer>
#include <QtEndian>

#include <algorithm>

namespace plimset {

// The bus's types of the item's interface, as its published description gives them.

// One picture of the icon: width, height and ARGB32 pixels in network byte order (iiay).
struct ItemPixmap {
    qint32 width = 0;
    qint32 height = 0;
    QByteArray pixels;
};
using ItemPixmaps = QList<ItemPixmap>;

// The item's tip: icon name, pictures, title and text (sa(iiay)ss).
struct ItemToolTip {
    QString iconName;
    ItemPixmaps pixmaps;
    QString title;
    QString text;
};

} // namespace plimset

Q_DECLARE_METATYPE(plimset::ItemPixmap)
Q_DECLARE_METATYPE(plimset::ItemToolTip)

namespace plimset {

// Reading and writing them on the bus.
QDBusArgument& operator<<(QDBusArgument& out, const ItemPixmap& pixmap) {
    return WriteDbusStructure(out, pixmap.width, pixmap.height, pixmap.pixels);
}
const QDBusArgument& operator>>(const QDBusArgument& in, ItemPixmap& pixmap) {
    return ReadDbusStructure(in, pixmap.width, pixmap.height, pixmap.pixels);
}

QDBusArgument& operator<<(QDBusArgument& out, const ItemToolTip& tip) {
    return WriteDbusStructure(out, tip.iconName, tip.pixmaps, tip.title, tip.text);
}
const QDBusArgument& operator>>(const QDBusArgument& in, ItemToolTip& tip) {
    return ReadDbusStructure(in, tip.iconName, tip.pixmaps, tip.title, tip.text);
}

namespace {

const QString ItemPath = QStringLiteral("/StatusNotifierItem");
constexpr quint32 DoNotQueue = 4; // RequestName: fail rather than wait for the name
// How long a panel is given to read a newly registered item before it is offered again.
constexpr int ShownCheckDelayMs = 2000;

ItemPixmaps PixmapsOf(const QIcon& icon) {
    ItemPixmaps pixmaps;
    for (const int size : {16, 22, 32, 48}) {
        const QImage image =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull())
            continue;
        ItemPixmap pixmap{image.width(), image.height(), {}};
        pixmap.pixels.resize(static_cast<qsizetype>(image.width()) * image.height() * 4);
        auto* target = reinterpret_cast<quint32*>(pixmap.pixels.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const quint32*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *target++ = qToBigEndian(line[x]);
        }
        pixmaps << pixmap;
    }
    return pixmaps;
}

} // namespace

// org.kde.StatusNotifierItem at /StatusNotifierItem.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ Category)
    Q_PROPERTY(QString Id READ Id)
    Q_PROPERTY(QString Title READ Title)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(qint32 WindowId READ WindowId)
    Q_PROPERTY(QString IconThemePath READ Empty)
    Q_PROPERTY(QString IconName READ IconName)
    Q_PROPERTY(QList<plimset::ItemPixmap> IconPixmap READ IconPixmap)
    Q_PROPERTY(QString OverlayIconName READ Empty)
    Q_PROPERTY(QList<plimset::ItemPixmap> OverlayIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionIconName READ Empty)
    Q_PROPERTY(QList<plimset::ItemPixmap> AttentionIconPixmap READ NoPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ Empty)
    Q_PROPERTY(plimset::ItemToolTip ToolTip READ ToolTip)
    Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ Menu)
public:
    StatusNotifierItemAdaptor(QObject* object, StatusNotifierItem& item)
        : QDBusAbstractAdaptor(object), item_(item), pixmaps_(PixmapsOf(item.icon_)) {}

    QString Category() const { return QStringLiteral("ApplicationStatus"); }
    QString Id() const { return QCoreApplication::applicationName().toLower(); }
    QString Title() const { return QCoreApplication::applicationName(); }
    QString Status() const { return QStringLiteral("Active"); }
    qint32 WindowId() const { return 0; }
    QString Empty() const { return {}; }
    // A panel that shows the item reads its picture, by name or by pixels.
    QString IconName() const {
        item_.NoteSeen();
        return {};
    }
    ItemPixmaps IconPixmap() const {
        item_.NoteSeen();
        return pixmaps_;
    }
    ItemPixmaps NoPixmaps() const { return {}; }
    ItemToolTip ToolTip() const { return {{}, {}, Title(), item_.toolTip_}; }
    bool ItemIsMenu() const { return false; }
    QDBusObjectPath Menu() const { return QDBusObjectPath(StatusNotifierMenu::ObjectPath()); }

public slots:
    void Activate(int, int) { emit item_.Activated(); }
    void SecondaryActivate(int, int) {}
    void ContextMenu(int, int) { emit item_.ContextMenuRequested(); }
    void Scroll(int, const QString&) {}

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    StatusNotifierItem& item_;
    ItemPixmaps pixmaps_;
};

StatusNotifierItem::StatusNotifierItem(QMenu* menu, QIcon icon, QObject* parent)
    : QObject(parent), icon_(std::move(icon)) {
    RegisterDbusTypes<ItemPixmap, ItemPixmaps, ItemToolTip>();
    serviceName_ =
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    itemObject_ = new QObject(this);
    itemAdaptor_ = new StatusNotifierItemAdaptor(itemObject_, *this);
    exportedMenu_ = new StatusNotifierMenu(menu, this);
    shownCheck_ = new QTimer(this);
    shownCheck_->setSingleShot(true);
    shownCheck_->setInterval(ShownCheckDelayMs);
    connect(shownCheck_, &QTimer::timeout, this, &StatusNotifierItem::CheckShown);
}

StatusNotifierItem::~StatusNotifierItem() {
    Withdraw();
}

void StatusNotifierItem::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const quint64 request = ++request_;
    offeredTwice_ = false;
    if (!exported_) {
        exported_ = bus.registerObject(ItemPath, itemObject_, QDBusConnection::ExportAdaptors) &&
                    exportedMenu_->Export(bus);
        if (!exported_) {
            bus.unregisterObject(ItemPath);
            return;
        }
    }
    // The item's own name first, then the registry is told of it.
    QDBusMessage requestName = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    requestName << serviceName_ << DoNotQueue;
    CallAsync<>(bus, requestName, this, [this, request](const QDBusPendingReply<>&) {
        if (request == request_)
            RegisterWithWatcher();
    });
}

void StatusNotifierItem::RegisterWithWatcher() {
    const quint64 request = request_;
    seen_ = false;
    QDBusMessage message = QDBusMessage::createMethodCall(
        StatusNotifierWatcherService, StatusNotifierWatcherPath, StatusNotifierWatcherService,
        QStringLiteral("RegisterStatusNotifierItem"));
    message << serviceName_;
    CallAsync<>(QDBusConnection::sessionBus(), message, this,
                [this, request](const QDBusPendingReply<>& reply) {
                    if (request != request_)
                        return;
                    const bool registered = !reply.isError();
                    if (registered && !offeredTwice_)
                        shownCheck_->start();
                    if (registered != registered_) {
                        registered_ = registered;
                        emit RegisteredChanged(registered_);
                    }
                });
}

void StatusNotifierItem::CheckShown() {
    const quint64 request = request_;
    QDBusMessage question = QDBusMessage::createMethodCall(
        StatusNotifierWatcherService, StatusNotifierWatcherPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    question << StatusNotifierWatcherService << QStringLiteral("RegisteredStatusNotifierItems");
    question.setAutoStartService(false);
    CallAsync<QDBusVariant>(
        QDBusConnection::sessionBus(), question, this,
        [this, request](const QDBusPendingReply<QDBusVariant>& reply) {
            if (request != request_ || offeredTwice_)
                return;
            // The registry names the item by its service or its connection, with the path.
            const QString connection = QDBusConnection::sessionBus().baseService();
            const QStringList entries =
                reply.isError() ? QStringList() : reply.value().variant().toStringList();
            const bool listed =
                std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
                    const QString name = entry.section(u'/', 0, 0);
                    return name == serviceName_ || name == connection;
                });
            if (listed && seen_)
                return;
            offeredTwice_ = true;
            RegisterWithWatcher();
        });
}

void StatusNotifierItem::Withdraw() {
    ++request_;
    shownCheck_->stop();
    if (exported_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(ItemPath);
        exportedMenu_->Unexport(bus);
        QDBusMessage release = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ReleaseName"));
        release << serviceName_;
        bus.asyncCall(release);
        exported_ = false;
    }
    if (registered_) {
        registered_ = false;
        emit RegisteredChanged(false);
    }
}

void StatusNotifierItem::SetToolTip(const QString& tip) {
    if (tip == toolTip_)
        return;
    toolTip_ = tip;
    emit itemAdaptor_->NewToolTip();
}

} // namespace plimset

#include "StatusNotifierItem.moc"
