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
    const Keymap usAndGerman("us,de");
    ASSERT_NE(usAndGerman.get(), nullptr) << "the XKB data (xkb-data) is missing";
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 0, u'Y'), Keys{KeyAD06});
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 0, u'z'), Keys{KeyAB01});
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 1, u'Y'), Keys{KeyAB01});
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 1, u'Z'), Keys{KeyAD06});
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 1, u'5'), Keys{KeyAE05});
    // Neither a shifted symbol nor a key that is no digit or letter is looked for.
    EXPECT_EQ(KeycodesGiving(usAndGerman.get(), 0, u'%'), Keys{});
    EXPECT_EQ(KeycodesGiving(nullptr, 0, u'Y'), Keys{});

    // A layout without the letter uses the first that has it.
    const Keymap russianAndGerman("ru,de");
    ASSERT_NE(russianAndGerman.get(), nullptr);
    EXPECT_EQ(KeycodesGiving(russianAndGerman.get(), 0, u'Y'), Keys{KeyAB01});
    // A layout the keymap does not have counts as one without the letter.
    EXPECT_EQ(KeycodesGiving(russianAndGerman.get(), 7, u'Y'), Keys{KeyAB01});
    const Keymap russian("ru");
    EXPECT_EQ(KeycodesGiving(russian.get(), 0, u'Y'), Keys{});
    EXPECT_EQ(KeycodesGiving(russian.get(), 0, u'5'), Keys{KeyAE05});
}

} // namespace
} // namespace plimset
