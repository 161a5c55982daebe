#pragma once

#include "desktop/GlobalHotkey.h"

#include <QTimer>

#include <memory>

namespace plimset {

// The global hotkey of the one Plimset of a desktop session that answers on the session bus
// (RemoteControl): only that one registers it, with the display or with the desktop's
// shortcut portal, so one key reaches one window. Another Plimset registers nothing, says
// whose the hotkey is, and registers it once the name passes to it.
class SessionHotkey final : public GlobalHotkey {
    Q_OBJECT
public:
    explicit SessionHotkey(std::unique_ptr<GlobalHotkey> own, QObject* parent = nullptr);

    // Another Plimset (process `ownerProcess`, 0 when unknown) answers on the bus: this one
    // holds no hotkey until TakeOver.
    void WaitForOwner(qint64 ownerProcess);
    // This Plimset answers on the bus now, and registers the hotkey asked for meanwhile. The
    // one before may let go of its grab a moment after its name, so a combination still
    // held is tried again for a little while before it counts as held elsewhere.
    void TakeOver();

    HotkeyRegistration RegisterAppHotkey(qint16 code) override;
    void UnregisterAppHotkey() override;
    HotkeyRegistration ProbeHotkey(qint16 code) override;
    // What the desktop says of the key; nothing while another Plimset holds it.
    HotkeyBinding Binding() const override;
    void OpenShortcutSettings() override;

private:
    void RegisterOnceFree();

    std::unique_ptr<GlobalHotkey> own_;
    bool waiting_ = false;
    qint64 ownerProcess_ = 0;
    qint16 code_ = 0; // the hotkey asked for, 0 while none is
    int retries_ = 0;
    QTimer retry_;
};

} // namespace plimset
