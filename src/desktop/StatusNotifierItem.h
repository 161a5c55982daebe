#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;

namespace plimset {

class StatusNotifierItemAdaptor;
class StatusNotifierMenu;

// The tray icon as a status-notifier item of the program's own on the session bus, with
// its menu exported for the panel to draw. Qt offers such an item only when a panel that
// shows them is there as the first tray icon is made; this one serves a panel that comes
// later. The menu's actions are the program's: choosing an item in the panel triggers it.
// Every call to the bus is asynchronous.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    StatusNotifierItem(QMenu* menu, QIcon icon, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Offers the item to the panels' registry (again, after the registry changed hands);
    // Withdraw takes it off the bus.
    void Register();
    void Withdraw();
    bool IsRegistered() const { return registered_; }

    void SetToolTip(const QString& tip);
    QString ToolTip() const { return toolTip_; }

signals:
    // The panel's primary click on the icon, and its request for a menu drawn by the
    // program (panels that cannot draw the exported one).
    void Activated();
    void ContextMenuRequested();
    // Whether the registry took the item.
    void RegisteredChanged(bool registered);

private:
    friend class StatusNotifierItemAdaptor;

    void RegisterWithWatcher();

    QIcon icon_;
    QString toolTip_;
    QString serviceName_;
    QObject* itemObject_ = nullptr; // /StatusNotifierItem
    StatusNotifierItemAdaptor* itemAdaptor_ = nullptr;
    StatusNotifierMenu* exportedMenu_ = nullptr;
    quint64 request_ = 0; // counts Register and Withdraw; an older reply is stale
    bool exported_ = false;
    bool registered_ = false;
};

} // namespace plimset
