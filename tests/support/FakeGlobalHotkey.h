#pragma once

#include "desktop/GlobalHotkey.h"

#include <QStringList>

namespace plimset {

// A global hotkey that records what is asked of it; `held` is a combination another
// program holds, `binding` who decides the key.
class FakeGlobalHotkey final : public GlobalHotkey {
public:
    HotkeyRegistration RegisterAppHotkey(qint16 code) override {
        calls << QStringLiteral("register %1").arg(code);
        return Remember(ProbeHotkey(code));
    }
    void UnregisterAppHotkey() override { calls << QStringLiteral("unregister"); }
    HotkeyRegistration ProbeHotkey(qint16 code) override {
        if (code == 0)
            return HotkeyRegistration::None;
        return code == held ? HotkeyRegistration::HeldElsewhere : HotkeyRegistration::Registered;
    }
    HotkeyBinding Binding() const override { return binding; }
    void OpenShortcutSettings() override { calls << QStringLiteral("open settings"); }

    QStringList calls; // "register 665", "unregister", "open settings"
    qint16 held = 0;
    HotkeyBinding binding;
};

} // namespace plimset
