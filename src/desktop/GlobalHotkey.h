#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

namespace plimset {

// What became of a request to register the global hotkey.
enum class HotkeyRegistration {
    None,          // no hotkey was asked for (0)
    Registered,    // pressing the combination anywhere emits Pressed
    HeldElsewhere, // another program already holds the combination
    NoKey,         // the setting names no key, or the keyboard has no key for it
    Unavailable,   // the display offers no global hotkeys
};

// Who decides which key works, for the Options dialog to show.
struct HotkeyBinding {
    // The desktop binds the shortcut and its shortcut settings change the key; the stored
    // hotkey is only the key asked for.
    bool ByDesktop = false;
    // The key the desktop reported for it last, spelt as HotkeyCodeToText spells keys; ""
    // while none was reported (or the desktop gave it none).
    QString DesktopKey;
    // The desktop can open its shortcut settings for this program (OpenShortcutSettings).
    bool CanOpenSettings = false;
    // The desktop gives programs no global shortcut: only a desktop shortcut bound to
    // `plimset --toggle` works.
    bool NoneOffered = false;
};

// One system-wide key combination that reaches the program wherever the focus is. The
// combination is registered at start-up and released at the end, and released while the
// Options dialog is open so the dialog can capture a new one. Problems are said once on
// standard error; the result of the last registration is kept for the Options dialog.
class GlobalHotkey : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Registers the stored hotkey (see core/HotkeyText.h) in place of any registered one;
    // 0 releases it and registers nothing.
    virtual HotkeyRegistration RegisterAppHotkey(qint16 code) = 0;
    // Releases the registered combination, if any.
    virtual void UnregisterAppHotkey() = 0;
    // Whether the combination could be registered now, without registering it and without
    // a word on standard error; for the Options dialog while it captures a combination.
    virtual HotkeyRegistration ProbeHotkey(qint16 code) = 0;

    HotkeyRegistration LastRegistration() const { return last_; }

    // Who decides which key works; the program itself, unless a desktop binds it.
    virtual HotkeyBinding Binding() const { return {}; }
    // Opens the desktop's settings for this program's shortcut, where Binding() says it can.
    virtual void OpenShortcutSettings() {}

signals:
    // The combination was pressed (once per press; held keys do not repeat). Delivered on
    // the user-interface thread from the event loop.
    void Pressed();

protected:
    HotkeyRegistration Remember(HotkeyRegistration result) { return last_ = result; }
    // Writes a line on standard error, the first time this line would be written.
    void ReportOnce(const QString& line);

private:
    HotkeyRegistration last_ = HotkeyRegistration::None;
    QSet<QString> reported_;
};

// Where no global hotkey can be had (a display other than X11): registering a combination
// says once that it will do nothing.
class NoGlobalHotkey final : public GlobalHotkey {
    Q_OBJECT
public:
    using GlobalHotkey::GlobalHotkey;
    HotkeyRegistration RegisterAppHotkey(qint16 code) override;
    void UnregisterAppHotkey() override {}
    HotkeyRegistration ProbeHotkey(qint16 code) override;
};

// The global hotkey of the display the program runs on (see CreateDesktopGlobalHotkey in
// desktop/PortalGlobalHotkey.h for the one of the desktop session).
std::unique_ptr<GlobalHotkey> CreateGlobalHotkey(QObject* parent = nullptr);

// The text for standard error about a registration that did not succeed, or "" when there
// is nothing to say.
QString HotkeyProblemText(HotkeyRegistration result, qint16 code);

} // namespace plimset
