# The X11 hotkey follows the keyboard layout: after `setxkbmap de` (or a switch to another
# layout of the keymap) the combination sits on the key that now gives its letter, and the
# key that gave it before does nothing.

import ctypes
import unittest

import desk

x11, xtest = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = x11.XStringToKeysym.restype = ctypes.c_void_p
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
for f, count in ((x11.XSync, 1), (x11.XCloseDisplay, 0), (x11.XKeysymToKeycode, 1),
                 (x11.XkbLockGroup, 2), (xtest.XTestFakeKeyEvent, 3)):
    f.argtypes = [ctypes.c_void_p] + [ctypes.c_ulong] * count


def on_display(action):
    display = ctypes.c_void_p(x11.XOpenDisplay(None))
    try:
        return action(display)
    finally:
        x11.XCloseDisplay(display)


def keycodes(*names):
    # The keycodes of keysyms in the keymap as it stands.
    return on_display(lambda d: [x11.XKeysymToKeycode(d, x11.XStringToKeysym(n.encode()))
                                 for n in names])


class HotkeyLayoutTest(unittest.TestCase):
    def test_a_new_layout_or_a_switch_of_group_moves_the_grab(self):
        other = desk.start_other(self)
        self.addCleanup(desk.run, "setxkbmap", "-layout", "us", check=False)
        # Ctrl + Shift + Y; a German keyboard swaps Y and Z.
        app = desk.start_shown(self, desk.Program(settings="[Option]\nTaskTray=1\nTaskBar=0\nHotkey=689\n"))
        shown = lambda: desk.map_state(app.window) == "IsViewable"  # noqa: E731

        def press(key):
            # By keycode, held together, as a keyboard would: unlike xdotool, which switches
            # the layout group for a moment to reach a letter of another group.
            desk.activate(other.window)
            codes = keycodes("Control_L", "Shift_L") + [key]

            def act(d):
                for down, code in [(1, c) for c in codes] + [(0, c) for c in reversed(codes)]:
                    xtest.XTestFakeKeyEvent(d, code, down, 0)
                x11.XSync(d, 0)
            on_display(act)

        def try_hide(key):
            press(key)
            try:
                return desk.wait_until(lambda: not shown(), timeout=0.5, what="hidden")
            except TimeoutError:
                return False

        y_key, z_key = keycodes("y", "z")  # in the US layout
        # The combination hides the window once the program has grabbed it on its new key (a
        # press before that reaches the focused window), shows it again, and the old key
        # does nothing.
        for change, key, old_key in (
                (lambda: desk.run("setxkbmap", "-layout", "de"), z_key, y_key),
                (lambda: desk.run("setxkbmap", "-layout", "us,de"), y_key, z_key),
                (lambda: on_display(lambda d: (x11.XkbLockGroup(d, 0x100, 1), x11.XSync(d, 0))),
                 z_key, y_key)):  # the German group
            change()
            desk.wait_until(lambda: try_hide(key), what="hidden by %d on its new key" % key)
            press(key)
            desk.wait_until(shown, what="shown by %d" % key)
            press(old_key)
            desk.stays(shown, 1.0, what="shown after %d" % old_key)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")


if __name__ == "__main__":
    unittest.main()
