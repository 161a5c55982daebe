#include "desktop/PortalGlobalHotkey.h"

#include "core/HotkeyText.h"
#include "desktop/DbusCall.h"
#include "desktop/DbusStructure.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace plimset {

// One shortcut as the portal passes it: its id and a dictionary of properties.
struct PortalShortcut {
    QString Id;
    QVariantMap Properties;
};
using PortalShortcuts = QList<PortalShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    return WriteDbusStructure(argument, shortcut.Id, shortcut.Properties);
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    return ReadDbusStructure(argument, shortcut.Id, shortcut.Properties);
}

} // namespace plimset

Q_DECLARE_METATYPE(plimset::PortalShortcut)

namespace plimset {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const QString SessionToken = QStringLiteral("plimset");
// The one shortcut's id within the session.
const QString ShortcutId = QStringLiteral("toggle");

// A desktop that asks the user before it binds may take its time.
constexpr int PortalTimeoutMs = 120000;

PortalShortcuts ShortcutsOf(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusArgument>())
        return qdbus_cast<PortalShortcuts>(value.value<QDBusArgument>());
    return value.value<PortalShortcuts>();
}

// The session's one shortcut, with the hotkey as its preferred trigger.
PortalShortcuts ShortcutsFor(qint16 code) {
    return {
        {ShortcutId,
         {{QStringLiteral("description"),
           QCoreApplication::translate("PortalGlobalHotkey", "Show or hide the Plimset window")},
          {QStringLiteral("preferred_trigger"), PortalTriggerOf(code)}}}};
}

// A session handle, which the portal sends as an object path or, in its results, as a string.
QString ObjectPathText(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

// The errors of a bus without the portal, or with a portal that lacks the interface.
bool IsMissingPortal(QDBusError::ErrorType error) {
    switch (error) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownObject:
        return true;
    default:
        return false;
    }
}

// Why the portal was not used: said first in each message about a hotkey without it.
QString NoPortalText() {
    return QStringLiteral("the desktop offers programs no global shortcuts (no GlobalShortcuts "
                          "portal on the session bus)");
}

QString UnavailableText(qint16 code) {
    return QStringLiteral("%1, so the hotkey %2 works only while a window of an X11 program has "
                          "the focus; bind a desktop shortcut to `plimset --toggle` instead")
        .arg(NoPortalText(), HotkeyCodeToText(code));
}

// A portal that opens no session (GNOME's, which binds no shortcut for programs).
QString NoSessionText(qint16 code) {
    return QStringLiteral(
               "this desktop gives programs no global shortcut (its shortcut portal "
               "opened no session), so the hotkey %1 does nothing; bind a key to "
               "`plimset --toggle` in the desktop's keyboard settings instead (on "
               "GNOME: Settings, Keyboard, View and Customize Shortcuts, Custom Shortcuts)")
        .arg(HotkeyCodeToText(code));
}

QString HeldWithoutPortalText(qint16 code) {
    return QStringLiteral("%1, and another program holds the hotkey %2 on the X server, so the "
                          "hotkey is unavailable; bind a desktop shortcut to `plimset --toggle` "
                          "instead")
        .arg(NoPortalText(), HotkeyCodeToText(code));
}

} // namespace

bool IsWaylandSession(const QString& sessionType, const QString& waylandDisplay) {
    return sessionType.compare(QStringLiteral("wayland"), Qt::CaseInsensitive) == 0 ||
           !waylandDisplay.isEmpty();
}

QString PortalTriggerOf(qint16 code) {
    const std::optional<HotkeyParts> parts = SplitHotkeyCode(code);
    if (!parts)
        return {};
    QStringList words;
    if (parts->Modifiers & HotkeyCtrl)
        words << QStringLiteral("CTRL");
    if (parts->Modifiers & HotkeyShift)
        words << QStringLiteral("SHIFT");
    if (parts->Modifiers & HotkeyAlt)
        words << QStringLiteral("ALT");
    // The keysym names of digits and letters are the characters, letters in lower case.
    words << QString(QChar(parts->Key)).toLower();
    return words.join(u'+');
}

bool TriggerDescribesHotkey(const QString& description, qint16 code) {
    const QString text = HotkeyCodeToText(code);
    return !text.isEmpty() && DesktopKeyText(description) == text;
}

PortalGlobalHotkey::PortalGlobalHotkey(std::unique_ptr<GlobalHotkey> local, QDBusConnection bus,
                                       QObject* parent)
    : GlobalHotkey(parent), local_(std::move(local)), bus_(std::move(bus)) {
    RegisterDbusTypes<PortalShortcut, PortalShortcuts>();
    connect(local_.get(), &GlobalHotkey::Pressed, this, &GlobalHotkey::Pressed);
    // QtDBus connects bus signals to slots by their signature text only.
    bus_.connect(PortalService, QString(), RequestInterface, QStringLiteral("Response"), this,
                 SLOT(RequestAnswered(QDBusMessage)));
    bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"), this,
                 SLOT(ShortcutActivated(QDBusMessage)));
    bus_.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("ShortcutsChanged"),
                 this, SLOT(ShortcutsChanged(QDBusMessage)));
}

PortalGlobalHotkey::~PortalGlobalHotkey() {
    UnregisterAppHotkey();
}

HotkeyRegistration PortalGlobalHotkey::RegisterAppHotkey(qint16 code) {
    UnregisterAppHotkey();
    if (portal_ == Portal::Missing) {
        // A combination another program holds leaves no way at all to the hotkey; else the
        // local back end says itself what it cannot do.
        if (local_->ProbeHotkey(code) == HotkeyRegistration::HeldElsewhere) {
            ReportOnce(HeldWithoutPortalText(code));
            return Remember(HotkeyRegistration::HeldElsewhere);
        }
        const HotkeyRegistration result = local_->RegisterAppHotkey(code);
        if (result == HotkeyRegistration::Registered)
            ReportOnce(UnavailableText(code));
        return Remember(result);
    }
    const HotkeyRegistration result = ProbeHotkey(code);
    ReportOnce(HotkeyProblemText(result, code));
    if (result != HotkeyRegistration::Registered)
        return Remember(result);
    code_ = code;
    asked_ = code;
    // Whether the bus has the portal at all shows in the answer to the first call.
    CreateSession();
    // The portal answers later; until it says otherwise the hotkey counts as registered.
    return Remember(result);
}

void PortalGlobalHotkey::UnregisterAppHotkey() {
    code_ = 0;
    openSettings_ = false;
    ++generation_;
    if (!session_.isEmpty())
        CloseSession(session_);
    session_.clear();
    local_->UnregisterAppHotkey();
}

HotkeyRegistration PortalGlobalHotkey::ProbeHotkey(qint16 code) {
    if (portal_ == Portal::Missing)
        return local_->ProbeHotkey(code);
    if (code == 0)
        return HotkeyRegistration::None;
    return SplitHotkeyCode(code) ? HotkeyRegistration::Registered : HotkeyRegistration::NoKey;
}

HotkeyBinding PortalGlobalHotkey::Binding() const {
    HotkeyBinding binding;
    binding.NoneOffered = portal_ == Portal::Missing || noSession_;
    binding.ByDesktop = portal_ == Portal::Offered && !noSession_;
    if (binding.ByDesktop) {
        binding.DesktopKey = desktopKey_;
        binding.CanOpenSettings = version_ >= 2;
    }
    return binding;
}

void PortalGlobalHotkey::OpenShortcutSettings() {
    if (!Binding().CanOpenSettings)
        return;
    openSettings_ = true;
    if (!session_.isEmpty()) {
        SendOpenSettings();
    } else if (code_ == 0 && asked_ != 0) {
        // Released while the Options dialog is open: a session shows the shortcut in the
        // settings; the dialog's closing releases or registers it as usual.
        code_ = asked_;
        ++generation_;
        CreateSession();
    }
}

void PortalGlobalHotkey::SendOpenSettings() {
    openSettings_ = false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, PortalPath, ShortcutsInterface, QStringLiteral("ConfigureShortcuts"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(session_)), QString(), QVariantMap()});
    bus_.asyncCall(call);
}

void PortalGlobalHotkey::AskVersion() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call.setArguments({ShortcutsInterface, QStringLiteral("version")});
    // A portal that cannot tell is taken for the first version.
    CallAsync<QDBusVariant>(bus_, call, this, [this](const QDBusPendingReply<QDBusVariant>& reply) {
        version_ = reply.isError() ? 1 : qMax(1u, reply.value().variant().toUInt());
    });
}

void PortalGlobalHotkey::PortalMissing() {
    portal_ = Portal::Missing;
    if (code_ != 0)
        RegisterAppHotkey(code_);
}

QString PortalGlobalHotkey::NextToken() {
    return QStringLiteral("plimset_%1").arg(++tokens_);
}

QString PortalGlobalHotkey::RequestPath(const QString& token) const {
    // The portal names a request after the caller's unique bus name and the token.
    QString sender = bus_.baseService();
    sender.remove(0, sender.startsWith(u':') ? 1 : 0).replace(u'.', u'_');
    return QStringLiteral("%1/request/%2/%3").arg(PortalPath, sender, token);
}

void PortalGlobalHotkey::SendRequest(Step step, const QString& method,
                                     const QList<QVariant>& arguments, const QString& token) {
    const QString path = RequestPath(token);
    requests_.insert(path, Request{step, generation_});
    QDBusMessage call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
    call.setArguments(arguments);
    const int generation = generation_;
    CallAsync<QDBusObjectPath>(
        bus_, call, this,
        [this, path, generation](const QDBusPendingReply<QDBusObjectPath>& reply) {
            if (reply.isError()) {
                requests_.remove(path);
                if (portal_ == Portal::Unknown && IsMissingPortal(reply.error().type()))
                    PortalMissing();
                else if (generation == generation_)
                    ReportRefusal(reply.error().message());
                return;
            }
            portal_ = Portal::Offered;
            // A portal older than the request path rule answers with another path.
            const QString actual = reply.value().path();
            if (actual != path && requests_.contains(path))
                requests_.insert(actual, requests_.take(path));
        },
        PortalTimeoutMs);
}

void PortalGlobalHotkey::CreateSession() {
    if (version_ == 0)
        AskVersion();
    const QString token = NextToken();
    QVariantMap options;
    options.insert(QStringLiteral("handle_token"), token);
    // The same every time: a desktop may keep the shortcut under the session's token for a
    // program without an application id (Plasma does), and a key it keeps for an earlier
    // session is not given to a later one under another name.
    options.insert(QStringLiteral("session_handle_token"), SessionToken);
    // Some desktops bind only what the session is created with; the shortcut goes with
    // BindShortcuts too, as the interface describes.
    const PortalShortcuts shortcuts = ShortcutsFor(code_);
    options.insert(QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts));
    SendRequest(Step::CreateSession, QStringLiteral("CreateSession"), {options}, token);
}

void PortalGlobalHotkey::BindShortcuts(const QString& session) {
    const QString token = NextToken();
    const PortalShortcuts shortcuts = ShortcutsFor(code_);
    QVariantMap options;
    options.insert(QStringLiteral("handle_token"), token);
    SendRequest(Step::BindShortcuts, QStringLiteral("BindShortcuts"),
                {QVariant::fromValue(QDBusObjectPath(session)), QVariant::fromValue(shortcuts),
                 QString(), options},
                token);
}

void PortalGlobalHotkey::CloseSession(const QString& session) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, session, SessionInterface, QStringLiteral("Close"));
    bus_.asyncCall(call);
}

void PortalGlobalHotkey::RequestAnswered(const QDBusMessage& message) {
    const auto found = requests_.find(message.path());
    if (found == requests_.end())
        return;
    const Request request = *found;
    requests_.erase(found);
    const QList<QVariant> arguments = message.arguments();
    const uint response = arguments.value(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(arguments.value(1));
    const bool current = request.Generation == generation_ && code_ != 0;

    if (request.Kind == Step::CreateSession) {
        const QString session = ObjectPathText(results.value(QStringLiteral("session_handle")));
        if (!current) {
            // Released meanwhile: the session is not wanted any more.
            if (!session.isEmpty())
                CloseSession(session);
            return;
        }
        if (response != 0 || session.isEmpty()) {
            noSession_ = true;
            ReportOnce(NoSessionText(code_));
            return;
        }
        noSession_ = false;
        session_ = session;
        BindShortcuts(session);
        return;
    }
    if (!current)
        return;
    if (response != 0) {
        ReportRefusal(response == 1 ? QStringLiteral("the user declined")
                                    : QStringLiteral("the request failed"));
        return;
    }
    ReportBinding(results.value(QStringLiteral("shortcuts")));
    if (openSettings_)
        SendOpenSettings();
}

void PortalGlobalHotkey::ShortcutActivated(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (session_.isEmpty() || ObjectPathText(arguments.value(0)) != session_ ||
        arguments.value(1).toString() != ShortcutId)
        return;
    emit Pressed();
}

void PortalGlobalHotkey::ShortcutsChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (!session_.isEmpty() && ObjectPathText(arguments.value(0)) == session_)
        ReportBinding(arguments.value(1));
}

void PortalGlobalHotkey::ReportBinding(const QVariant& shortcuts) {
    const QString wanted = HotkeyCodeToText(code_);
    for (const PortalShortcut& shortcut : ShortcutsOf(shortcuts)) {
        if (shortcut.Id != ShortcutId)
            continue;
        const QString bound = DesktopKeyText(
            shortcut.Properties.value(QStringLiteral("trigger_description")).toString());
        desktopKey_ = bound;
        if (bound.isEmpty()) {
            ReportOnce(QStringLiteral("the desktop took the hotkey %1 but gave it no key; give "
                                      "it one in the desktop's shortcut settings, or bind a "
                                      "desktop shortcut to `plimset --toggle`")
                           .arg(wanted));
        } else if (!TriggerDescribesHotkey(bound, code_)) {
            ReportOnce(QStringLiteral("the desktop bound the hotkey to %1 instead of %2")
                           .arg(bound, wanted));
        }
        return;
    }
    ReportRefusal(QStringLiteral("it was not among the shortcuts bound"));
}

std::unique_ptr<GlobalHotkey> CreateDesktopGlobalHotkey(QObject* parent) {
    // On a Wayland desktop an X11 grab sees keys only while an X11 window has the focus;
    // the desktop's shortcut service is asked instead.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (IsWaylandSession(qEnvironmentVariable("XDG_SESSION_TYPE"),
                         qEnvironmentVariable("WAYLAND_DISPLAY")) &&
        bus.isConnected())
        return std::make_unique<PortalGlobalHotkey>(CreateGlobalHotkey(), bus, parent);
    return CreateGlobalHotkey(parent);
}

void PortalGlobalHotkey::ReportRefusal(const QString& why) {
    desktopKey_.clear();
    ReportOnce(QStringLiteral("the desktop did not bind the hotkey %1 (%2); bind a desktop "
                              "shortcut to `plimset --toggle` instead")
                   .arg(HotkeyCodeToText(code_), why));
}

} // namespace plimset
