#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QTimer;

namespace plimset {

class StatusNotifierItemAdaptor;
class StatusNotifierMenu;

// The tray icon as a status-notifier item of the program's own on the session bus, with
// its menu exported for the panel to draw. Qt offers such an item only when a panel that
// shows them is there as the first tray icon is made; this one serves a panel that comes
// later. The menu's actions are the program's: choosing an item in the panel triggers it.
// Every call to the bus is asynchronous.
//
// A registry that has just (re)started may take the item without its panel ever showing
// it; so a short while after each registration the item is offered once more if the
// registry does not list it or no panel has read its picture since.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    StatusNotifierItem(QMenu* menu, QIcon icon, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    // Offers the item to the panels' registry (again, after the registry changed hands),
    // and once more a while later if no panel has shown it; Withdraw takes it off the bus.
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
    void CheckShown();
    // A panel read the item's picture: it shows the item.
    void NoteSeen() { seen_ = true; }

    QIcon icon_;
    QString toolTip_;
    QString serviceName_;
    QObject* itemObject_ = nullptr; // /StatusNotifierItem
    StatusNotifierItemAdaptor* itemAdaptor_ = nullptr;
    StatusNotifierMenu* exportedMenu_ = nullptr;
    QTimer* shownCheck_ = nullptr; // after a registration, whether a panel shows the item
    quint64 request_ = 0;          // counts Register and Withdraw; an older reply is stale
    bool exported_ = false;
    bool registered_ = false;
    bool seen_ = false;         // a panel read the item since it was last offered
    bool offeredTwice_ = false; // the registration's second offer is made
};

} // namespace plimset
