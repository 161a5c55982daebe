#pragma once

#include "desktop/DesktopNotifier.h"

#include <QString>

namespace plimset {

// Notifications through the freedesktop notification service on the session bus. Every
// call is asynchronous, so a missing or slow service never holds up the program; its
// errors are dropped, as a notification is an extra way of reaching the user.
class DbusDesktopNotifier final : public DesktopNotifier {
    Q_OBJECT
public:
    // iconName is the installed icon's name, also given as the desktop entry's name.
    explicit DbusDesktopNotifier(QString iconName, QObject* parent = nullptr);
    ~DbusDesktopNotifier() override;

    void Show(const DesktopNotice& notice) override;
    void Withdraw() override;
    void Inform(const QString& text) override;

private slots:
    void OnActionInvoked(uint id, const QString& actionKey);
    void OnNotificationClosed(uint id, uint reason);

private:
    void SendNotify(const DesktopNotice& notice, bool bodyMarkup);
    void Close(uint id);

    QString iconName_;
    uint shownId_ = 0;       // the service's id of the notice shown, 0 for none
    quint64 request_ = 0;    // counts Show and Withdraw; a reply for an older one is stale
    bool wanted_ = false;    // a notice is to be shown
    bool listening_ = false; // connected to the service's signals
};

} // namespace plimset
