#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

struct xkb_context;
struct xkb_keymap;

namespace plimset {

// The key codes whose first two levels give the digit or letter `character` ('0'..'9',
// 'A'..'Z', either case of a letter) in the keyboard layout (XKB group) `layout`; where that
// layout has no such key, the keys that give it in the first other layout that has one, so
// a combination on a layout without Latin letters still lands on a key.
std::vector<xcb_keycode_t> KeycodesGiving(xkb_keymap* keymap, uint32_t layout, char16_t character);

// The keyboard as the X server has it now: its keymap with every layout and the layout in
// effect. It notices the server's keyboard events on Qt's connection (a new keyboard or
// keymap, as after `setxkbmap`; a switch of the layout in effect; the core protocol's
// mapping notice) and reads the keyboard again after them.
class X11KeyboardLayout {
public:
    explicit X11KeyboardLayout(xcb_connection_t* connection);
    ~X11KeyboardLayout();
    X11KeyboardLayout(const X11KeyboardLayout&) = delete;
    X11KeyboardLayout& operator=(const X11KeyboardLayout&) = delete;

    // Whether the server's keymap could be read; without it KeysGiving finds nothing.
    bool IsRead() const { return keymap_ != nullptr; }
    std::vector<xcb_keycode_t> KeysGiving(char16_t character) const;

    // Reads an event; true when the keys that give a character may have moved (the keymap
    // or the layout in effect changed), in which case the keyboard has been read again.
    bool NoticeChange(const xcb_generic_event_t* event);

private:
    void Read();

    xcb_connection_t* connection_;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    int32_t device_ = -1;
    uint8_t xkbFirstEvent_ = 0; // 0 while the server's XKB extension is unknown
    uint32_t layout_ = 0;
};

} // namespace plimset
