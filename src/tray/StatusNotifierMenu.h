#pragma once

#include <QObject>
#include <QString>

class QDBusConnection;
class QMenu;

namespace plimset {

// The program's menu exported on the session bus for a panel to draw beside a status-notifier
// item: its entries are the menu's actions in their order, with their captions and states,
// and choosing one in the panel triggers the action. The panel is told of an action's changed
// caption or state as the entry's changed properties.
class StatusNotifierMenu : public QObject {
    Q_OBJECT
public:
    explicit StatusNotifierMenu(QMenu* menu, QObject* parent = nullptr);
    ~StatusNotifierMenu() override;

    // The object path the menu is exported at, which the item names as its menu.
    static QString ObjectPath();

    // Puts the menu on the bus at ObjectPath (false where the path is taken); Unexport takes
    // it off.
    bool Export(QDBusConnection& bus);
    void Unexport(QDBusConnection& bus);
};

} // namespace plimset
