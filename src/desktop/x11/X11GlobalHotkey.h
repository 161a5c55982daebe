#pragma once

#include "desktop/GlobalHotkey.h"
#include "desktop/x11/X11KeyboardLayout.h"

#include <QAbstractNativeEventFilter>

#include <memory>
#include <vector>

#include <xcb/xcb.h>

struct _XCBKeySymbols;

namespace plimset {

// The global hotkey on X11: a passive grab of the key with its modifiers on every root
// window, also with Caps Lock and Num Lock held (their bits and Alt's are read from the
// server's modifier map), so the combination works whatever locks are on. The key is
// the one that gives the combination's digit or letter in the keyboard layout in effect,
// and the grab moves with it when the layout or the keymap changes (`setxkbmap de` puts
// Ctrl+Shift+Y on the key that now gives "y"). The grab requests are checked, so a
// combination that another client holds is known at once.
class X11GlobalHotkey final : public GlobalHotkey, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Null when the program does not run on X11.
    static std::unique_ptr<X11GlobalHotkey> Create(QObject* parent = nullptr);
    ~X11GlobalHotkey() override;

    HotkeyRegistration RegisterAppHotkey(qint16 code) override;
    void UnregisterAppHotkey() override;
    HotkeyRegistration ProbeHotkey(qint16 code) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    X11GlobalHotkey(xcb_connection_t* connection, QObject* parent);

    struct Grab {
        xcb_window_t Root;
        xcb_keycode_t Key;
        uint16_t Modifiers;
    };
    // Grabs the combination, asking only for the grabs not held already; on success all of
    // its grabs are listed in `grabs`, otherwise none is and those asked for are let go.
    HotkeyRegistration GrabCombination(qint16 code, std::vector<Grab>& grabs);
    void Ungrab(std::vector<Grab>& grabs);
    static bool Contains(const std::vector<Grab>& grabs, const Grab& grab);
    // The grabs of `grabs` that are not among `others`.
    static std::vector<Grab> Without(const std::vector<Grab>& grabs,
                                     const std::vector<Grab>& others);
    bool IsOurKey(xcb_window_t root, xcb_keycode_t key) const;
    // The keys that give the digit or letter now.
    std::vector<xcb_keycode_t> KeysGiving(char16_t key) const;
    // Grabs the registered combination again once the event loop is back.
    void QueueRegrab();

    xcb_connection_t* connection_;
    _XCBKeySymbols* symbols_;
    X11KeyboardLayout layout_;
    std::vector<xcb_window_t> roots_;
    std::vector<Grab> grabs_;
    qint16 code_ = 0;      // the registered hotkey, 0 when none
    bool keyDown_ = false; // the key is held since its last press
    xcb_timestamp_t lastRelease_ = 0;
    bool regrabQueued_ = false;
};

} // namespace plimset
