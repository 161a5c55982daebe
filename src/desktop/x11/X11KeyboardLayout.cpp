#include "desktop/x11/X11KeyboardLayout.h"

// xcb's XKB header names a member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace plimset {

namespace {

// Whether a keysym is the digit or either case of the letter.
bool KeysymGives(xkb_keysym_t keysym, char16_t character) {
    if (character >= u'0' && character <= u'9')
        return keysym == xkb_keysym_t(character);
    if (character >= u'a' && character <= u'z')
        character = char16_t(character - u'a' + u'A');
    if (character < u'A' || character > u'Z')
        return false;
    return keysym == xkb_keysym_t(character) || keysym == xkb_keysym_t(character - u'A' + u'a');
}

std::vector<xcb_keycode_t> KeycodesInLayout(xkb_keymap* keymap, xkb_layout_index_t layout,
                                            char16_t character) {
    std::vector<xcb_keycode_t> codes;
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= last && key <= 255; ++key) {
        if (layout >= xkb_keymap_num_layouts_for_key(keymap, key))
            continue;
        bool gives = false;
        for (xkb_level_index_t level = 0; level < 2 && !gives; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &syms);
            for (int i = 0; i < count && !gives; ++i)
                gives = KeysymGives(syms[i], character);
        }
        if (gives)
            codes.push_back(xcb_keycode_t(key));
    }
    return codes;
}

} // namespace

std::vector<xcb_keycode_t> KeycodesGiving(xkb_keymap* keymap, uint32_t layout, char16_t character) {
    if (keymap == nullptr)
        return {};
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap);
    if (layout < layouts) {
        std::vector<xcb_keycode_t> codes = KeycodesInLayout(keymap, layout, character);
        if (!codes.empty())
            return codes;
    }
    for (xkb_layout_index_t other = 0; other < layouts; ++other) {
        if (other == layout)
            continue;
        std::vector<xcb_keycode_t> codes = KeycodesInLayout(keymap, other, character);
        if (!codes.empty())
            return codes;
    }
    return {};
}

X11KeyboardLayout::X11KeyboardLayout(xcb_connection_t* connection) : connection_(connection) {
    context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    // Qt has set the extension up on this connection already; asking again only tells us
    // where its events are numbered.
    if (context_ != nullptr &&
        xkb_x11_setup_xkb_extension(connection_, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                    XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                    &xkbFirstEvent_, nullptr) == 1) {
        device_ = xkb_x11_get_core_keyboard_device_id(connection_);
    } else {
        xkbFirstEvent_ = 0;
    }
    Read();
}

X11KeyboardLayout::~X11KeyboardLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

void X11KeyboardLayout::Read() {
    xkb_keymap_unref(keymap_);
    keymap_ = nullptr;
    layout_ = 0;
    if (context_ == nullptr || device_ < 0)
        return;
    keymap_ =
        xkb_x11_keymap_new_from_device(context_, connection_, device_, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap_ == nullptr)
        return;
    if (xkb_state* state = xkb_x11_state_new_from_device(keymap_, connection_, device_)) {
        layout_ = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
}

std::vector<xcb_keycode_t> X11KeyboardLayout::KeysGiving(char16_t character) const {
    return KeycodesGiving(keymap_, layout_, character);
}

bool X11KeyboardLayout::NoticeChange(const xcb_generic_event_t* event) {
    const uint8_t type = event->response_type & ~0x80;
    if (type == XCB_MAPPING_NOTIFY) {
        const auto* mapping = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (mapping->request == XCB_MAPPING_POINTER)
            return false;
        Read();
        return true;
    }
    if (xkbFirstEvent_ == 0 || type != xkbFirstEvent_)
        return false;
    // All XKB events share the first event number; the second byte says which it is.
    switch (event->pad0) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
        Read();
        return true;
    case XCB_XKB_STATE_NOTIFY: {
        const auto* state = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
        if (state->deviceID != device_ || uint32_t(state->group) == layout_)
            return false;
        layout_ = uint32_t(state->group);
        return true;
    }
    default:
        return false;
    }
}

} // namespace plimset
