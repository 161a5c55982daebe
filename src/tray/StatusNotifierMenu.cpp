#include "tray/StatusNotifierMenu.h"

#include "desktop/DbusStructure.h"

#include <QAction>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <optional>

namespace plimset {

// The bus's types of the menu interface, as its published description gives them.

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

Q_DECLARE_METATYPE(plimset::MenuLayout)
Q_DECLARE_METATYPE(plimset::MenuProperties)
Q_DECLARE_METATYPE(plimset::MenuRemovedProperties)
Q_DECLARE_METATYPE(plimset::MenuEvent)

namespace plimset {

// Reading and writing them on the bus.
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
    return WriteDbusStructure(out, entry.id, entry.properties);
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuProperties& entry) {
    return ReadDbusStructure(in, entry.id, entry.properties);
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuRemovedProperties& entry) {
    return WriteDbusStructure(out, entry.id, entry.names);
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuRemovedProperties& entry) {
    return ReadDbusStructure(in, entry.id, entry.names);
}

QDBusArgument& operator<<(QDBusArgument& out, const MenuEvent& event) {
    return WriteDbusStructure(out, event.id, event.eventId, event.data, event.timestamp);
}
const QDBusArgument& operator>>(const QDBusArgument& in, MenuEvent& event) {
    return ReadDbusStructure(in, event.id, event.eventId, event.data, event.timestamp);
}

namespace {

const QString MenuPath = QStringLiteral("/MenuBar");

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
        // A caption that follows the window, or an entry enabled or disabled, is sent as the
        // changed properties: some panels re-read only the entries' types after a layout
        // change and keep the captions they were first given.
        const QList<QAction*> actions = menu_->actions();
        for (int id = 1; id <= actions.size(); ++id) {
            told_.insert(id, EntryProperties(actions.at(id - 1)));
            connect(actions.at(id - 1), &QAction::changed, this, [this, id] { Changed(id); });
        }
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
        return LayoutRevision;
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
    void Changed(int id) {
        const QAction* action = ActionOf(id);
        if (action == nullptr)
            return;
        const QVariantMap now = EntryProperties(action);
        QVariantMap& told = told_[id];
        QVariantMap changed;
        for (auto property = now.cbegin(); property != now.cend(); ++property) {
            if (told.value(property.key()) != property.value())
                changed.insert(property.key(), property.value());
        }
        told = now;
        if (!changed.isEmpty())
            emit ItemsPropertiesUpdated({MenuProperties{id, changed}}, {});
    }
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
    QHash<int, QVariantMap> told_; // each entry's properties as the panels were last told
    // The entries never change, only their properties: the layout keeps its revision.
    static constexpr uint LayoutRevision = 1;
};

StatusNotifierMenu::StatusNotifierMenu(QMenu* menu, QObject* parent) : QObject(parent) {
    RegisterDbusTypes<MenuLayout, MenuProperties, MenuPropertiesList, MenuRemovedProperties,
                      MenuRemovedPropertiesList, MenuEvent, MenuEventList>();
    new StatusNotifierMenuAdaptor(this, menu);
}

StatusNotifierMenu::~StatusNotifierMenu() = default;

QString StatusNotifierMenu::ObjectPath() {
    return MenuPath;
}

bool StatusNotifierMenu::Export(QDBusConnection& bus) {
    return bus.registerObject(MenuPath, this, QDBusConnection::ExportAdaptors);
}

void StatusNotifierMenu::Unexport(QDBusConnection& bus) {
    bus.unregisterObject(MenuPath);
}

} // namespace plimset

#include "StatusNotifierMenu.moc"
