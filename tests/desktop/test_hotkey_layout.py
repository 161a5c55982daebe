"""The X11 hotkey follows the keyboard layout: after `setxkbmap de` (or a switch to another
layout of the keymap) the combination sits on the key that now gives its letter, and the
key that gave it before does nothing; a notice of a keymap change that leaves the key where
it was loses no press."""

import ctypes
import os
import time
import unittest

import desk

_x11 = ctypes.CDLL("libX11.so.6")
_xtest = ctypes.CDLL("libXtst.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XStringToKeysym.restype = ctypes.c_ulong
_x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
_x11.XKeysymToKeycode.restype = ctypes.c_ubyte
_x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_x11.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
_x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
_x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                     ctypes.POINTER(ctypes.c_int)]
_x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                        ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
_x11.XFree.argtypes = [ctypes.c_void_p]
USE_CORE_KEYBOARD = 0x100


def keycodes(*names):
    """The keycodes of keysyms in the keymap as it stands."""
    display = _x11.XOpenDisplay(None)
    try:
        return [_x11.XKeysymToKeycode(display, _x11.XStringToKeysym(n.encode())) for n in names]
    finally:
        _x11.XCloseDisplay(display)


def lock_group(group):
    """Switches the keyboard to layout group `group` (0 is the first), as a layout switcher
    does."""
    display = _x11.XOpenDisplay(None)
    try:
        _x11.XkbLockGroup(display, USE_CORE_KEYBOARD, group)
        _x11.XSync(display, 0)
    finally:
        _x11.XCloseDisplay(display)


def press_physical(*codes):
    """Presses keys by keycode, held together, as a keyboard would: unlike xdotool, which
    switches the layout group for a moment to reach a letter of another group, this leaves
    the group as it stands."""
    display = _x11.XOpenDisplay(None)
    try:
        _press_on(display, codes)
    finally:
        _x11.XCloseDisplay(display)


def _press_on(display, codes):
    for code in codes:
        _xtest.XTestFakeKeyEvent(display, code, 1, 0)
    for code in reversed(codes):
        _xtest.XTestFakeKeyEvent(display, code, 0, 0)
    _x11.XSync(display, 0)


def remap_then_press(spare, delay, *codes):
    """Gives the key `spare` the symbols it has, so that the server tells every client that
    the keymap changed (as it does when a program remaps a spare key, or when input comes
    from another keyboard), then presses keys by keycode `delay` seconds later."""
    display = _x11.XOpenDisplay(None)
    try:
        per_key = ctypes.c_int()
        syms = _x11.XGetKeyboardMapping(display, spare, 1, ctypes.byref(per_key))
        _x11.XChangeKeyboardMapping(display, spare, per_key.value, syms, 1)
        _x11.XFree(syms)
        _x11.XSync(display, 0)
        time.sleep(delay)
        _press_on(display, codes)
    finally:
        _x11.XCloseDisplay(display)


HOTKEY = "Hotkey=689\n"  # Ctrl + Shift + Y; a German keyboard swaps Y and Z


class HotkeyLayoutTest(unittest.TestCase):
    def setUp(self):
        self.other = desk.Program(os.environ["PLIMSET_SERVICES_PROBE"], lines=True).start()
        self.addCleanup(self.other.kill)
        self.other.wait_window()
        self.addCleanup(desk.run, "setxkbmap", "-layout", "us", check=False)
        self.app = desk.start_shown(
            self, desk.Program(settings="[Option]\nTaskTray=1\nTaskBar=0\n" + HOTKEY))

    def press(self, key):
        """Ctrl+Shift and a letter (typed as xdotool types it) or a physical key (a keycode)."""
        if isinstance(key, int):
            desk.activate(self.other.window)
            press_physical(*keycodes("Control_L", "Shift_L"), key)
        else:
            desk.press_keys("ctrl+shift+" + key, window=self.other.window,
                            clear_modifiers=False)

    def shown(self):
        return desk.map_state(self.app.window) == "IsViewable"

    def assert_toggles(self, letter):
        self.press(letter)
        desk.wait_until(lambda: not self.shown(), what="hidden by ctrl+shift+" + letter)
        self.press(letter)
        desk.wait_until(self.shown, what="shown by ctrl+shift+" + letter)

    def assert_toggles_once_grabbed_again(self, key):
        """After a layout change: the combination hides the window once the program has
        grabbed it on its new key (a press before that reaches the focused window), then
        shows it again."""
        def hides():
            self.press(key)
            desk.settle(0.3)
            return not self.shown()
        desk.wait_until(hides, what="hidden by ctrl+shift+%s on its new key" % key)
        self.press(key)
        desk.wait_until(self.shown, what="shown by ctrl+shift+%s" % key)

    def assert_does_nothing(self, key):
        self.press(key)
        desk.settle(0.7)
        self.assertTrue(self.shown(), "ctrl+shift+%s toggled the window" % key)

    def test_a_press_just_after_the_keymap_is_said_to_change_is_not_lost(self):
        # The key of the combination stays where it was; a press at any moment after the
        # notice toggles the window, also while the program reads the keyboard again.
        spare, *combination = keycodes("F12", "Control_L", "Shift_L", "y")
        desk.activate(self.other.window)
        for step in range(32):
            before = self.shown()
            remap_then_press(spare, step * 0.00025, *combination)
            desk.wait_until(lambda: self.shown() != before,
                            what="a toggle by a press %.2f ms after the notice" % (step / 4))

    def test_a_new_layout_moves_the_grab_to_the_key_that_gives_the_letter(self):
        self.assert_toggles("y")
        desk.run("setxkbmap", "-layout", "de")
        self.assert_toggles_once_grabbed_again("y")
        self.assert_does_nothing("z")  # the key that gave Y before
        desk.run("setxkbmap", "-layout", "us")
        self.assert_toggles_once_grabbed_again("y")
        self.assert_does_nothing("z")
        self.assertEqual(self.app.close(), 0)
        self.assertEqual(self.app.output(), "")

    def test_a_switch_between_the_layouts_of_one_keymap_moves_the_grab(self):
        y_key, z_key = keycodes("y", "z")  # in the US layout
        desk.run("setxkbmap", "-layout", "us,de")
        self.assert_toggles_once_grabbed_again(y_key)
        self.assert_does_nothing(z_key)
        lock_group(1)  # German: Y on the Z key
        self.assert_toggles_once_grabbed_again(z_key)
        self.assert_does_nothing(y_key)
        self.assertEqual(self.app.close(), 0)

if __name__ == "__main__":
    unittest.main()
