#pragma once

#include "desktop/GlobalHotkey.h"

#include <QDBusConnection>
#include <QHash>
#include <QString>

#include <memory>

class QDBusMessage;

namespace plimset {

// Whether the desktop session is a Wayland one (the program itself may still run through
// XWayland, where an X11 key grab fires only while an X11 window has the focus).
bool IsWaylandSession(const QString& sessionType, const QString& waylandDisplay);

// The stored hotkey as a trigger of the freedesktop shortcuts format ("CTRL+SHIFT+t":
// modifier names, then the key's XKB keysym name, joined by "+"); "" for none.
QString PortalTriggerOf(qint16 code);

// Whether a desktop's description of a trigger ("Ctrl+Shift+T", "<Control><Shift>t",
// "Shift + Ctrl + T") names exactly the stored hotkey's modifiers and key.
bool TriggerDescribesHotkey(const QString& description, qint16 code);

// The global hotkey through the desktop's GlobalShortcuts portal, for Wayland sessions: one
// session with one shortcut whose preferred trigger is the hotkey; the desktop chooses the
// key in the end, and its Activated signal is a press. Closing the session releases it.
// Where the desktop binds another key, or none, it is said once on standard error; the key
// it reported last is kept for the Options dialog (Binding), also while released. Where
// the session bus has no such portal, the local back end given (the X11 grab through
// XWayland, or none) does the work, and it is said once that the hotkey is not global, or,
// where another program holds the combination there too, that it is unavailable.
class PortalGlobalHotkey final : public GlobalHotkey {
    Q_OBJECT
public:
    PortalGlobalHotkey(std::unique_ptr<GlobalHotkey> local, QDBusConnection bus,
                       QObject* parent = nullptr);
    ~PortalGlobalHotkey() override;

    HotkeyRegistration RegisterAppHotkey(qint16 code) override;
    void UnregisterAppHotkey() override;
    HotkeyRegistration ProbeHotkey(qint16 code) override;
    HotkeyBinding Binding() const override;
    // Where the portal offers it (version 2 on), asks the desktop to show its settings for
    // the shortcut; while the hotkey is released a session is opened for it first.
    void OpenShortcutSettings() override;

private slots:
    // The portal's signals (QtDBus delivers them by name).
    void RequestAnswered(const QDBusMessage& message);
    void ShortcutActivated(const QDBusMessage& message);
    void ShortcutsChanged(const QDBusMessage& message);

private:
    enum class Portal { Unknown, Offered, Missing };
    enum class Step { CreateSession, BindShortcuts };
    struct Request {
        Step Kind;
        int Generation; // the registration it belongs to
    };

    // The bus has no GlobalShortcuts portal: the local back end takes over.
    void PortalMissing();
    void CreateSession();
    void BindShortcuts(const QString& session);
    // Sends a portal call whose answer comes as a Request's Response signal.
    void SendRequest(Step step, const QString& method, const QList<QVariant>& arguments,
                     const QString& token);
    void CloseSession(const QString& session);
    void AskVersion();
    void SendOpenSettings();
    void ReportBinding(const QVariant& shortcuts);
    void ReportRefusal(const QString& why);
    QString NextToken();
    QString RequestPath(const QString& token) const;

    std::unique_ptr<GlobalHotkey> local_;
    QDBusConnection bus_;
    Portal portal_ = Portal::Unknown; // known from the answer to the first call
    qint16 code_ = 0;                 // the hotkey asked for, 0 while none is
    int generation_ = 0; // counts registrations, so answers to older ones are told apart
    int tokens_ = 0;     // for unique request and session tokens
    QString session_;    // the open session's object path, "" while none is open
    QHash<QString, Request> requests_; // by request object path
    uint version_ = 0;                 // of the portal's interface, 0 until known
    qint16 asked_ = 0;                 // the hotkey last asked for, kept while released
    QString desktopKey_;               // the key the desktop reported last, spelt as the dialog's
    bool noSession_ = false;           // the portal opened no session: the desktop offers none
    bool openSettings_ = false;        // the settings are to open once the session is bound
};

// The global hotkey of the desktop session: on a Wayland session the portal's (with the
// display's own as the fallback), elsewhere the display's own (CreateGlobalHotkey).
std::unique_ptr<GlobalHotkey> CreateDesktopGlobalHotkey(QObject* parent = nullptr);

} // namespace plimset
