# The X11 hotkey follows the keyboard layout: after `setxkbmap de` (or a switch to another
# layout of the keymap) the combination sits on the key that now gives its letter, and the
# key that gave it before does nothing; a notice of a keymap change that leaves the key where
# it was loses no press.

import ctypes
import time
import unittest

import desk

x11 = ctypes.CDLL("libX11.so.6")
xtest = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
x11.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                    ctypes.POINTER(ctypes.c_int)]
x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]


def on_display(action):
    display = x11.XOpenDisplay(None)
    try:
        return action(display)
    finally:
        x11.XCloseDisplay(display)


def keycodes(*names):
    # The keycodes of keysyms in the keymap as it stands.
    return on_display(lambda d: [x11.XKeysymToKeycode(d, x11.XStringToKeysym(n.encode()))
                                 for n in names])


def press_on(display, codes):
    # By keycode, held together, as a keyboard would: unlike xdotool, which switches the
    # layout group for a moment to reach a letter of another group.
    for code in codes:
        xtest.XTestFakeKeyEvent(display, code, 1, 0)
    for code in reversed(codes):
        xtest.XTestFakeKeyEvent(display, code, 0, 0)
    x11.XSync(display, 0)


def remap_then_press(spare, delay, *codes):
    # Gives the key `spare` the symbols it has, so that the server tells every client that
    # the keymap changed (as when a program remaps a spare key, or input comes from another
    # keyboard), then presses keys by keycode `delay` seconds later.
    def act(display):
        per_key = ctypes.c_int()
        syms = x11.XGetKeyboardMapping(display, spare, 1, ctypes.byref(per_key))
        x11.XChangeKeyboardMapping(display, spare, per_key.value, syms, 1)
        x11.XFree(syms)
        x11.XSync(display, 0)
        time.sleep(delay)
        press_on(display, codes)
    on_display(act)


class HotkeyLayoutTest(unittest.TestCase):
    def setUp(self):
        self.other = desk.start_other(self)
        self.addCleanup(desk.run, "setxkbmap", "-layout", "us", check=False)
        # Ctrl + Shift + Y; a German keyboard swaps Y and Z.
        self.app = desk.start_shown(
            self, desk.Program(settings="[Option]\nTaskTray=1\nTaskBar=0\nHotkey=689\n"))

    def press(self, key):
        # Ctrl+Shift and a letter (as xdotool types it) or a physical key (a keycode).
        if isinstance(key, int):
            desk.activate(self.other.window)
            on_display(lambda d: press_on(d, keycodes("Control_L", "Shift_L") + [key]))
        else:
            desk.press_keys("ctrl+shift+" + key, window=self.other.window,
                            clear_modifiers=False)

    def shown(self):
        return desk.map_state(self.app.window) == "IsViewable"

    def assert_moved_to(self, key, old_key):
        # The combination hides the window once the program has grabbed it on its new key (a
        # press before that reaches the focused window), shows it again, and the old key
        # does nothing.
        desk.wait_until(lambda: self.try_hide(key), what="hidden by %s on its new key" % key)
        self.press(key)
        desk.wait_until(self.shown, what="shown by %s" % key)
        self.press(old_key)
        desk.stays(self.shown, 1.0, what="shown after %s" % old_key)

    def try_hide(self, key):
        self.press(key)
        try:
            return desk.wait_until(lambda: not self.shown(), timeout=0.5, what="hidden")
        except TimeoutError:
            return False

    def test_a_press_just_after_the_keymap_is_said_to_change_is_not_lost(self):
        spare, *combination = keycodes("F12", "Control_L", "Shift_L", "y")
        desk.activate(self.other.window)
        for step in range(32):
            before = self.shown()
            remap_then_press(spare, step * 0.00025, *combination)
            desk.wait_until(lambda: self.shown() != before,
                            what="a toggle by a press %.2f ms after the notice" % (step / 4))

    def test_a_new_layout_or_a_switch_of_group_moves_the_grab(self):
        y_key, z_key = keycodes("y", "z")  # in the US layout
        desk.run("setxkbmap", "-layout", "de")
        self.assert_moved_to("y", y_key)  # Y now on the US Z key
        desk.run("setxkbmap", "-layout", "us,de")
        self.assert_moved_to(y_key, z_key)
        on_display(lambda d: (x11.XkbLockGroup(d, 0x100, 1), x11.XSync(d, 0)))  # German
        self.assert_moved_to(z_key, y_key)
        self.assertEqual(self.app.close(), 0)
        self.assertEqual(self.app.output(), "")


if __name__ == "__main__":
    unittest.main()
