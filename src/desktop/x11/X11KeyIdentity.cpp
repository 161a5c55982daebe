#include "desktop/x11/X11KeyIdentity.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace plimset {

namespace {

int DigitOrLetter(xcb_keysym_t sym) {
    if (sym >= '0' && sym <= '9')
        return static_cast<int>(sym);
    if (sym >= 'A' && sym <= 'Z')
        return static_cast<int>(sym);
    if (sym >= 'a' && sym <= 'z')
        return static_cast<int>(sym - 'a' + 'A');
    return 0;
}

} // namespace

int X11DigitOrLetterKey(quint32 keycode) {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (x11 == nullptr || x11->connection() == nullptr || keycode == 0 || keycode > 255)
        return -1;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(x11->connection());
    if (symbols == nullptr)
        return -1;
    // The unshifted level first; a layout that puts the digits on the shifted level
    // (such as AZERTY) still names the key by its digit.
    int code = 0;
    for (int level = 0; level < 2 && code == 0; ++level)
        code = DigitOrLetter(
            xcb_key_symbols_get_keysym(symbols, static_cast<xcb_keycode_t>(keycode), level));
    xcb_key_symbols_free(symbols);
    return code;
}

} // namespace plimset
