#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QDBusServiceWatcher;

namespace plimset {

// The desktop's status-notifier registry on the session bus.
inline const QString StatusNotifierWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
inline const QString StatusNotifierWatcherPath = QStringLiteral("/StatusNotifierWatcher");

// Watches the session bus for the desktop's status-notifier service (the registry through
// which panels that draw tray icons themselves, GNOME's and Plasma's among them, find
// them). Changed comes when that service appears or goes, and when a panel registers with
// it as a host: a tray icon then moves between the bus and an embedding tray.
// Watching costs nothing while nothing changes and never waits for the bus.
class StatusNotifierWatch : public QObject {
    Q_OBJECT
public:
    explicit StatusNotifierWatch(QObject* parent = nullptr);

signals:
    void Changed();

private:
    QDBusServiceWatcher* watcher_ = nullptr;
};

// Whether a panel that shows status-notifier items is registered now. Asks and waits for
// the answer, as Qt does when it makes its first tray icon; for the moment a tray icon's
// first place is chosen.
bool StatusNotifierHostRegistered();

// The same, answered later through answer (false when nobody answers), without waiting.
void AskStatusNotifierHostRegistered(QObject* context, std::function<void(bool)> answer);

} // namespace plimset
