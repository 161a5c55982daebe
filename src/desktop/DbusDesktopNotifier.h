#pragma once

#include "desktop/DesktopNotifier.h"

#include <QDBusMessage>
#include <QString>
#include <QVariant>

namespace plimset {

// Notifications through the freedesktop notification service on the session bus. Every
// call is asynchronous, so a missing or slow service never holds up the program; its
// errors are dropped, as a notification is an extra way of reaching the user. Only the
// service that showed the notice speaks for it: its actions and its closing count when
// they come from the bus connection that answered the notice, for the id it gave.
class DbusDesktopNotifier final : public DesktopNotifier {
    Q_OBJECT
public:
    // iconName is the installed icon's name, also given as the desktop entry's name.
    // Where no icon of that name is installed, the notice carries the program's picture.
    explicit DbusDesktopNotifier(QString iconName, QObject* parent = nullptr);
    ~DbusDesktopNotifier() override;

    void Show(const DesktopNotice& notice) override;
    void Withdraw() override;
    void Inform(const QString& text) override;

private slots:
    void OnActionInvoked(uint id, const QString& actionKey, const QDBusMessage& signal);
    void OnNotificationClosed(uint id, uint reason, const QDBusMessage& signal);

private:
    void SendNotify(const DesktopNotice& notice, bool bodyMarkup);
    void Close(uint id);
    bool FromShownNotice(uint id, const QDBusMessage& signal) const;

    QString IconName();

    const QString desktopEntry_;
    QString iconName_; // the icon's name, empty where the picture goes instead
    QVariant image_;   // the program's picture where its icon is installed nowhere
    bool iconLooked_ = false;
    uint shownId_ = 0;       // the service's id of the notice shown, 0 for none
    QString server_;         // the unique bus name of the service that gave shownId_
    quint64 request_ = 0;    // counts Show and Withdraw; a reply for an older one is stale
    bool wanted_ = false;    // a notice is to be shown
    bool listening_ = false; // connected to the service's signals
};

} // namespace plimset
