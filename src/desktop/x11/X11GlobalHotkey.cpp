#include "desktop/x11/X11GlobalHotkey.h"

#include "desktop/x11/Xcb.h"

#include "core/HotkeyText.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace plimset {

namespace {

constexpr xcb_keysym_t KeysymNumLock = 0xff7f;
constexpr xcb_keysym_t KeysymAltL = 0xffe9;
constexpr xcb_keysym_t KeysymAltR = 0xffea;
constexpr uint8_t ErrorBadAccess = 10;

// The keycodes that produce a keysym, in any column of the keyboard map.
std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* symbols, xcb_keysym_t keysym) {
    std::vector<xcb_keycode_t> codes;
    xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols, keysym);
    for (xcb_keycode_t* at = list; at != nullptr && *at != XCB_NO_SYMBOL; ++at)
        codes.push_back(*at);
    free(list);
    return codes;
}

// The modifier bits of the modifiers that the keys of these keysyms are mapped to.
uint16_t ModifierOf(xcb_connection_t* c, xcb_key_symbols_t* symbols,
                    std::initializer_list<xcb_keysym_t> keysyms) {
    std::vector<xcb_keycode_t> wanted;
    for (xcb_keysym_t keysym : keysyms)
        for (xcb_keycode_t code : KeycodesOf(symbols, keysym))
            wanted.push_back(code);
    xcb_get_modifier_mapping_reply_t* reply =
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    uint16_t mask = 0;
    if (reply != nullptr) {
        const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier)
            for (int k = 0; k < perModifier; ++k) {
                const xcb_keycode_t code = map[modifier * perModifier + k];
                if (code != 0 && std::find(wanted.begin(), wanted.end(), code) != wanted.end())
                    mask |= uint16_t(1u << modifier);
            }
    }
    free(reply);
    return mask;
}

} // namespace

std::unique_ptr<X11GlobalHotkey> X11GlobalHotkey::Create(QObject* parent) {
    xcb_connection_t* connection = xcb::QtConnection();
    if (connection == nullptr)
        return nullptr;
    return std::unique_ptr<X11GlobalHotkey>(new X11GlobalHotkey(connection, parent));
}

X11GlobalHotkey::X11GlobalHotkey(xcb_connection_t* connection, QObject* parent)
    : GlobalHotkey(parent), connection_(connection), symbols_(xcb_key_symbols_alloc(connection)),
      layout_(connection) {
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0;
         xcb_screen_next(&it))
        roots_.push_back(it.data->root);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalHotkey::~X11GlobalHotkey() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
    Ungrab(grabs_);
    xcb_key_symbols_free(symbols_);
}

HotkeyRegistration X11GlobalHotkey::RegisterAppHotkey(qint16 code) {
    // The new grabs are in place before the old ones go, and a grab both share is never let
    // go: the server tells of a new keyboard whenever input comes from another keyboard
    // (the first key of a combination typed there), and a press in a gap between letting
    // go and grabbing again would reach the focused window instead.
    std::vector<Grab> grabs;
    const HotkeyRegistration result = GrabCombination(code, grabs);
    std::vector<Grab> unused = Without(grabs_, grabs);
    if (!unused.empty() || grabs.size() != grabs_.size())
        keyDown_ = false; // the held key's release may come on a key that is no longer ours
    Ungrab(unused);
    grabs_ = std::move(grabs);
    code_ = result == HotkeyRegistration::Registered ? code : 0;
    ReportOnce(HotkeyProblemText(result, code));
    return Remember(result);
}

void X11GlobalHotkey::UnregisterAppHotkey() {
    Ungrab(grabs_);
    code_ = 0;
    keyDown_ = false;
}

HotkeyRegistration X11GlobalHotkey::ProbeHotkey(qint16 code) {
    if (code != 0 && code == code_)
        return HotkeyRegistration::Registered;
    std::vector<Grab> trial;
    const HotkeyRegistration result = GrabCombination(code, trial);
    std::vector<Grab> borrowed = Without(trial, grabs_);
    Ungrab(borrowed);
    return result;
}

HotkeyRegistration X11GlobalHotkey::GrabCombination(qint16 code, std::vector<Grab>& grabs) {
    if (code == 0)
        return HotkeyRegistration::None;
    const std::optional<HotkeyParts> parts = SplitHotkeyCode(code);
    if (!parts)
        return HotkeyRegistration::NoKey;

    const std::vector<xcb_keycode_t> keys = KeysGiving(parts->Key);
    if (keys.empty())
        return HotkeyRegistration::NoKey;

    uint16_t alt = ModifierOf(connection_, symbols_, {KeysymAltL, KeysymAltR});
    if (alt == 0)
        alt = XCB_MOD_MASK_1;
    const uint16_t numLock = ModifierOf(connection_, symbols_, {KeysymNumLock});
    uint16_t modifiers = 0;
    if (parts->Modifiers & HotkeyCtrl)
        modifiers |= XCB_MOD_MASK_CONTROL;
    if (parts->Modifiers & HotkeyShift)
        modifiers |= XCB_MOD_MASK_SHIFT;
    if (parts->Modifiers & HotkeyAlt)
        modifiers |= alt;

    std::vector<uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (numLock != 0 && (numLock & (modifiers | XCB_MOD_MASK_LOCK)) == 0) {
        variants.push_back(numLock);
        variants.push_back(numLock | XCB_MOD_MASK_LOCK);
    }

    std::vector<std::pair<Grab, xcb_void_cookie_t>> sent;
    for (xcb_window_t root : roots_)
        for (xcb_keycode_t key : keys)
            for (uint16_t variant : variants) {
                const Grab grab{root, key, uint16_t(modifiers | variant)};
                if (Contains(grabs_, grab)) { // held already; asked again it would not fail
                    grabs.push_back(grab);
                    continue;
                }
                // Events of the grab are reported on the root window, also while one of
                // the program's own windows has the focus.
                sent.emplace_back(grab,
                                  xcb_grab_key_checked(connection_, 0, root, grab.Modifiers, key,
                                                       XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
    bool held = false;
    bool failed = false;
    for (const auto& [grab, cookie] : sent) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            (error->error_code == ErrorBadAccess ? held : failed) = true;
            free(error);
        } else {
            grabs.push_back(grab);
        }
    }
    if (held || failed) {
        // Half a combination would work only with some locks on; release what was grabbed
        // here (the caller lets go of what it held before).
        std::vector<Grab> added = Without(grabs, grabs_);
        Ungrab(added);
        grabs.clear();
        return held ? HotkeyRegistration::HeldElsewhere : HotkeyRegistration::NoKey;
    }
    return HotkeyRegistration::Registered;
}

void X11GlobalHotkey::Ungrab(std::vector<Grab>& grabs) {
    for (const Grab& grab : grabs)
        xcb_ungrab_key(connection_, grab.Key, grab.Root, grab.Modifiers);
    if (!grabs.empty())
        xcb_flush(connection_);
    grabs.clear();
}

bool X11GlobalHotkey::Contains(const std::vector<Grab>& grabs, const Grab& grab) {
    return std::any_of(grabs.begin(), grabs.end(), [&](const Grab& g) {
        return g.Root == grab.Root && g.Key == grab.Key && g.Modifiers == grab.Modifiers;
    });
}

std::vector<X11GlobalHotkey::Grab> X11GlobalHotkey::Without(const std::vector<Grab>& grabs,
                                                            const std::vector<Grab>& others) {
    std::vector<Grab> rest;
    for (const Grab& grab : grabs)
        if (!Contains(others, grab))
            rest.push_back(grab);
    return rest;
}

bool X11GlobalHotkey::IsOurKey(xcb_window_t root, xcb_keycode_t key) const {
    return std::any_of(grabs_.begin(), grabs_.end(),
                       [&](const Grab& g) { return g.Root == root && g.Key == key; });
}

std::vector<xcb_keycode_t> X11GlobalHotkey::KeysGiving(char16_t key) const {
    if (layout_.IsRead())
        return layout_.KeysGiving(key);
    // Without the server's keymap: the core keyboard map, which lists the unshifted letter
    // first; the capital is tried too.
    std::vector<xcb_keycode_t> keys =
        KeycodesOf(symbols_, xcb_keysym_t(QChar(key).toLower().unicode()));
    if (keys.empty())
        keys = KeycodesOf(symbols_, xcb_keysym_t(key));
    return keys;
}

void X11GlobalHotkey::QueueRegrab() {
    if (regrabQueued_)
        return;
    regrabQueued_ = true;
    // After Qt has seen the change too; several notices of one change make one grab.
    QMetaObject::invokeMethod(
        this,
        [this] {
            regrabQueued_ = false;
            if (code_ != 0)
                RegisterAppHotkey(code_);
        },
        Qt::QueuedConnection);
}

bool X11GlobalHotkey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    // The keyboard changed: the combination's key may sit elsewhere now.
    if (layout_.NoticeChange(event)) {
        // The modifier keys may have moved as well; the map is fetched again when used.
        xcb_key_symbols_free(symbols_);
        symbols_ = xcb_key_symbols_alloc(connection_);
        if (code_ != 0)
            QueueRegrab();
        return false;
    }
    if (grabs_.empty())
        return false;
    switch (event->response_type & ~0x80) {
    case XCB_KEY_PRESS: {
        auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
        if (key->event != key->root || !IsOurKey(key->root, key->detail))
            return false;
        // A held key repeats: as further presses, or, where the server does not tell
        // repeats apart, as a release and a press at the same moment. Neither counts.
        const bool repeat = keyDown_ || key->time == lastRelease_;
        keyDown_ = true;
        if (!repeat)
            QMetaObject::invokeMethod(this, &GlobalHotkey::Pressed, Qt::QueuedConnection);
        return true;
    }
    case XCB_KEY_RELEASE: {
        auto* key = reinterpret_cast<xcb_key_release_event_t*>(event);
        if (!IsOurKey(key->root, key->detail))
            return false;
        // The key is up again wherever its release is reported.
        keyDown_ = false;
        lastRelease_ = key->time;
        return key->event == key->root;
    }
    default:
        return false;
    }
}

} // namespace plimset
