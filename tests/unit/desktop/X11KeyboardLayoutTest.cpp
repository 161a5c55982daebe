#include "desktop/x11/X11KeyboardLayout.h"

#include <xkbcommon/xkbcommon.h>

#include <gtest/gtest.h>

namespace plimset {
namespace {

// Key codes of the evdev keymap that every layout below is built on.
constexpr xcb_keycode_t KeyAD06 = 29; // "y" on a US keyboard, "z" on a German one
constexpr xcb_keycode_t KeyAB01 = 52; // "z" on a US keyboard, "y" on a German one
constexpr xcb_keycode_t KeyAE05 = 14; // "5" on both

class Keymap {
public:
    explicit Keymap(const char* layouts) {
        context_ = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
        const xkb_rule_names names{"evdev", "pc105", layouts, "", ""};
        keymap_ = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    }
    ~Keymap() {
        xkb_keymap_unref(keymap_);
        xkb_context_unref(context_);
    }
    xkb_keymap* get() const { return keymap_; }

private:
    xkb_context* context_;
    xkb_keymap* keymap_;
};

using Keys = std::vector<xcb_keycode_t>;

TEST(KeycodesGiving, TheKeyOfTheLayoutInEffectOrOfTheFirstThatHasTheLetter) {
    const Keymap usDe("us,de"), ruDe("ru,de"), ru("ru");
    ASSERT_NE(usDe.get(), nullptr) << "the XKB data (xkb-data) is missing";
    // Neither a shifted symbol nor a key that is no digit or letter is looked for; a layout
    // without the letter, or one the keymap does not have, uses the first that has it.
    for (const auto& [keymap, layout, letter, keys] :
         {std::tuple{usDe.get(), 1, u'Y', Keys{KeyAB01}},
          {usDe.get(), 0, u'%', Keys{}},
          {nullptr, 0, u'Y', Keys{}},
          {ruDe.get(), 0, u'Y', Keys{KeyAB01}},
          {ruDe.get(), 7, u'Y', Keys{KeyAB01}},
          {ru.get(), 0, u'Y', Keys{}},
          {ru.get(), 0, u'5', Keys{KeyAE05}}})
        EXPECT_EQ(KeycodesGiving(keymap, layout, letter), keys) << layout << char(letter);
}

} // namespace
} // namespace plimset
