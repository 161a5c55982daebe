#include "desktop/StatusNotifierItem.h"

#include <QAction>
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <optional>

namespace plimset {

// The bus's types of the two interfaces, as their published descriptions give them.

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

// One menu entry with its properties and its sub-entries ((ia{sv}av)).
struct MenuLayout {
    qint32 id = 0;
    QVariantMap properties;
    QList<MenuLayout> children;
};

// An entry's properties (ia{sv}), and the names an entry lost (ias).
struct MenuProperties {
    qint32 id = 0;
    QVariantMap properties;
};
using MenuPropertiesList = QList<MenuProperties>;
struct MenuRemovedProperties {
    qint32 id = 0;
    QStringList names;
};
using MenuRemovedPropertiesList = QList<MenuRemovedProperties>;

// A menu event (isvu).
struct MenuEvent {
    qint32 id = 0;
    QString eventId;
    QDBusVariant data;
    quint32 timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

} // namespace plimset

Q_DECLARE_METATYPE(plimset::ItemPixmap)
Q_DECLARE_METATYPE(plimset::ItemToolTip)
Q_DECLARE_METATYPE(plimset::MenuLayout)
Q_DECLARE_METATYPE(plimset::MenuProperties)
Q_DECLARE_METATYPE(plimset::MenuRemovedProperties)
Q_DECLARE_METATYPE(plimset::MenuEvent)

namespace plimset {

// Reading and writing them on the bus.
QDBusArgument& operator<<(QDBusArgument& out, const ItemPixmap& pixmap) {
    out.beginStructure();
    out << pixmap.width << pixmap.height << pixmap.pixels;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, ItemPixmap& pixmap) {
    in.beginStructure();
    in >> pixmap.width >> pixmap.height >> pixmap.pixels;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const ItemToolTip& tip) {
    out.beginStructure();
    out << tip.iconName << tip.pixmaps << tip.title << tip.text;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, ItemToolTip& tip) {
    in.beginStructure();
    in >> tip.iconName >> tip.pixmaps >> tip.title >> tip.text;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuLayout& entry) {
    out.beginStructure();
    out << entry.id << entry.properties;
    out.beginArray(qMetaTypeId<QDBusVariant>());
    for (const MenuLayout& child : entry.children)
        out << QDBusVariant(QVariant::fromValue(child));
    out.endArray();
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuLayout& entry) {
    in.beginStructure();
    in >> entry.id >> entry.properties;
    in.beginArray();
    while (!in.atEnd()) {
        QDBusVariant child;
        in >> child;
        entry.children << qdbus_cast<MenuLayout>(child.variant());
    }
    in.endArray();
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuProperties& entry) {
    out.beginStructure();
    out << entry.id << entry.properties;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuProperties& entry) {
    in.beginStructure();
    in >> entry.id >> entry.properties;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuRemovedProperties& entry) {
    out.beginStructure();
    out << entry.id << entry.names;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuRemovedProperties& entry) {
    in.beginStructure();
    in >> entry.id >> entry.names;
    in.endStructure();
    return in;
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuEvent& event) {
    out.beginStructure();
    out << event.id << event.eventId << event.data << event.timestamp;
    out.endStructure();
    return out;
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuEvent& event) {
    in.beginStructure();
    in >> event.id >> event.eventId >> event.data >> event.timestamp;
    in.endStructure();
    return in;
}

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString ItemPath = QStringLiteral("/StatusNotifierItem");
const QString MenuPath = QStringLiteral("/MenuBar");
constexpr quint32 DoNotQueue = 4; // RequestName: fail rather than wait for the name

void RegisterBusTypes() {
    static const bool registered = [] {
        qDBusRegisterMetaType<ItemPixmap>();
        qDBusRegisterMetaType<ItemPixmaps>();
        qDBusRegisterMetaType<ItemToolTip>();
        qDBusRegisterMetaType<MenuLayout>();
        qDBusRegisterMetaType<MenuProperties>();
        qDBusRegisterMetaType<MenuPropertiesList>();
        qDBusRegisterMetaType<MenuRemovedProperties>();
        qDBusRegisterMetaType<MenuRemovedPropertiesList>();
        qDBusRegisterMetaType<MenuEvent>();
        qDBusRegisterMetaType<MenuEventList>();
        return true;
    }();
    Q_UNUSED(registered);
}

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

// The menu's entries are its actions, numbered from 1 in their order; 0 is the menu.
QVariantMap EntryProperties(const QAction* action) {
    if (action->isSeparator())
        return {{QStringLiteral("type"), QStringLiteral("separator")}};
    // The access key is marked with "_" on the bus; a literal one is doubled.
    QString label = action->text();
    label.replace(u'_', QStringLiteral("__"));
    label.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    label.replace(u'&', u'_');
    label.replace(u'\x01', u'&');
    return {{QStringLiteral("label"), label},
            {QStringLiteral("enabled"), action->isEnabled()},
            {QStringLiteral("visible"), action->isVisible()}};
}

QVariantMap Only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty())
        return properties;
    QVariantMap wanted;
    for (const QString& name : names) {
        if (properties.contains(name))
            wanted.insert(name, properties.value(name));
    }
    return wanted;
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
    Q_PROPERTY(QString IconName READ Empty)
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
    ItemPixmaps IconPixmap() const { return pixmaps_; }
    ItemPixmaps NoPixmaps() const { return {}; }
    ItemToolTip ToolTip() const { return {{}, {}, Title(), item_.toolTip_}; }
    bool ItemIsMenu() const { return false; }
    QDBusObjectPath Menu() const { return QDBusObjectPath(MenuPath); }

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

// com.canonical.dbusmenu at /MenuBar: the program's menu for the panel to draw.
class StatusNotifierMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ Version)
    Q_PROPERTY(QString TextDirection READ TextDirection)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(QStringList IconThemePath READ IconThemePath)
public:
    StatusNotifierMenuAdaptor(QObject* object, QMenu* menu)
        : QDBusAbstractAdaptor(object), menu_(menu) {
        // A caption that follows the window changes the layout the panel shows.
        for (QAction* action : menu_->actions())
            connect(action, &QAction::changed, this,
                    [this] { emit LayoutUpdated(++revision_, 0); });
    }

    uint Version() const { return 3; }
    QString TextDirection() const {
        return QGuiApplication::isRightToLeft() ? QStringLiteral("rtl") : QStringLiteral("ltr");
    }
    QString Status() const { return QStringLiteral("normal"); }
    QStringList IconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   plimset::MenuLayout& layout) {
        layout = Layout(parentId, recursionDepth, propertyNames);
        return revision_;
    }
    QList<plimset::MenuProperties> GetGroupProperties(const QList<int>& ids,
                                                      const QStringList& propertyNames) {
        MenuPropertiesList found;
        for (const int id : ids) {
            if (const std::optional<QVariantMap> properties = Properties(id))
                found << MenuProperties{id, Only(*properties, propertyNames)};
        }
        return found;
    }
    QDBusVariant GetProperty(int id, const QString& name) {
        return QDBusVariant(Properties(id).value_or(QVariantMap()).value(name));
    }
    void Event(int id, const QString& eventId, const QDBusVariant&, uint) {
        if (eventId != u"clicked")
            return;
        if (QAction* action = ActionOf(id)) {
            // After the call returns: Exit ends the program and takes this object along.
            QTimer::singleShot(0, action, [action = QPointer<QAction>(action)] {
                if (action != nullptr && action->isEnabled())
                    action->trigger();
            });
        }
    }
    QList<int> EventGroup(const QList<plimset::MenuEvent>& events) {
        QList<int> unknown;
        for (const MenuEvent& event : events) {
            if (event.id != 0 && ActionOf(event.id) == nullptr)
                unknown << event.id;
            else
                Event(event.id, event.eventId, event.data, event.timestamp);
        }
        return unknown;
    }
    bool AboutToShow(int id) {
        if (id == 0)
            emit menu_->aboutToShow();
        return false;
    }
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& unknown) {
        for (const int id : ids) {
            if (id == 0)
                emit menu_->aboutToShow();
            else if (ActionOf(id) == nullptr)
                unknown << id;
        }
        return {};
    }

signals:
    void ItemsPropertiesUpdated(const QList<plimset::MenuProperties>& updated,
                                const QList<plimset::MenuRemovedProperties>& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    QAction* ActionOf(int id) const {
        const QList<QAction*> actions = menu_->actions();
        return id >= 1 && id <= actions.size() ? actions.at(id - 1) : nullptr;
    }
    std::optional<QVariantMap> Properties(int id) const {
        if (id == 0)
            return QVariantMap{{QStringLiteral("children-display"), QStringLiteral("submenu")}};
        if (const QAction* action = ActionOf(id))
            return EntryProperties(action);
        return std::nullopt;
    }
    MenuLayout Layout(int id, int depth, const QStringList& names) const {
        MenuLayout entry{id, Only(Properties(id).value_or(QVariantMap()), names), {}};
        if (id == 0 && depth != 0) {
            const int count = static_cast<int>(menu_->actions().size());
            for (int child = 1; child <= count; ++child)
                entry.children << Layout(child, depth - 1, names);
        }
        return entry;
    }

    QMenu* menu_;
    uint revision_ = 1;
};

StatusNotifierItem::StatusNotifierItem(QMenu* menu, QIcon icon, QObject* parent)
    : QObject(parent), menu_(menu), icon_(std::move(icon)) {
    RegisterBusTypes();
    serviceName_ =
        QStringLiteral("org.kde.StatusNotifierItem-%1-1").arg(QCoreApplication::applicationPid());
    itemObject_ = new QObject(this);
    menuObject_ = new QObject(this);
    itemAdaptor_ = new StatusNotifierItemAdaptor(itemObject_, *this);
    menuAdaptor_ = new StatusNotifierMenuAdaptor(menuObject_, menu_);
}

StatusNotifierItem::~StatusNotifierItem() {
    Withdraw();
}

void StatusNotifierItem::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const quint64 request = ++request_;
    if (!exported_) {
        exported_ = bus.registerObject(ItemPath, itemObject_, QDBusConnection::ExportAdaptors) &&
                    bus.registerObject(MenuPath, menuObject_, QDBusConnection::ExportAdaptors);
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
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(requestName), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (request == request_)
                    RegisterWithWatcher();
            });
}

void StatusNotifierItem::RegisterWithWatcher() {
    const quint64 request = request_;
    QDBusMessage message = QDBusMessage::createMethodCall(
        WatcherService, WatcherPath, WatcherService, QStringLiteral("RegisterStatusNotifierItem"));
    message << serviceName_;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (request != request_)
                    return;
                const bool registered = !finished->isError();
                if (registered != registered_) {
                    registered_ = registered;
                    emit RegisteredChanged(registered_);
                }
            });
}

void StatusNotifierItem::Withdraw() {
    ++request_;
    if (exported_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(ItemPath);
        bus.unregisterObject(MenuPath);
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
