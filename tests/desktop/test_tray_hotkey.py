# The notification-area icon and the global hotkey of the real program in the session's
# tint2 tray: the icon, the clicks and the menu, minimizing to the tray, and the
# hotkey pressed while another window has the focus (with the window services: size, always
# on top, taskbar button, through hide and show), also after a change of keyboard layout.

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


HOTKEY = "Hotkey=684\n"  # Ctrl + Shift + T


class TrayHotkeyTest(unittest.TestCase):
    def start(self, args=(), settings=None):
        return desk.start_shown(self, desk.Program(args=args, settings=settings))

    def icon(self, app):
        # Looked up afresh each time: the tray may embed it anew.
        return desk.wait_until(lambda: next(iter(desk.tray_icons(app)), None), what="the icon")

    def open_menu(self, app):
        # A right click on the icon; True once its menu shows (a click the icon was not yet
        # ready for is clicked again, as a user would).
        desk.click(self.icon(app), 3)
        try:
            return desk.wait_until(lambda: desk.popups(app), timeout=2, what="the menu")
        except TimeoutError:
            return False

    def wait_hidden(self, win):
        # Hidden in the tray: neither shown nor a minimized task.
        desk.wait_until(lambda: desk.map_state(win) != "IsViewable"
                        and win not in desk.taskbar_windows() and not desk.iconic(win),
                        what="the window hidden")

    def wait_shown(self, win):
        desk.wait_until(lambda: desk.shown(win), what="the window shown")

    def test_icon_clicks_menu_and_the_end_while_hidden(self):
        app = self.start(["/C", "5"], "[MainForm]\nStartForm=3\n[Option]\nTaskTray=1\nTaskBar=1\n"
                         "Progress=1\n")
        win = app.window
        self.assertIn(win, desk.taskbar_windows())
        desk.minimize(win)
        self.wait_hidden(win)
        desk.click(self.icon(app), 1)
        self.wait_shown(win)
        self.assertIn(win, desk.taskbar_windows())
        for key in ("n", "x"):  # Mi&nimize, then E&xit while hidden
            desk.wait_until(lambda: self.open_menu(app), what="the tray menu")
            desk.press_keys(key)
            desk.wait_until(lambda: not desk.popups(app), what="the menu closed")
            if key == "n":
                self.wait_hidden(win)
        self.assertEqual(app.process.wait(desk.DEFAULT_TIMEOUT), 0)
        self.assertRegex(app.read_settings() or "", r"(?m)^StartForm=2")
        self.assertEqual(app.output(), "")

        # A request to end the program reaches it also while it is hidden, and saves.
        app = self.start(["/A"], "[Option]\nTaskTray=1\n")
        desk.minimize(app.window)
        self.wait_hidden(app.window)
        self.assertEqual(app.terminate(), 0)
        self.assertRegex(app.read_settings() or "", r"(?m)^StartForm=1")

    def test_hotkey_from_another_window_with_and_without_num_lock(self):
        # Also the window services against the real window manager: the frame known before
        # the first show (the size kept is the outer one), always on top and no taskbar
        # button set before the first map and kept through hide and show, with the same
        # window. (The taskbar button changed on a shown window: test_no_tray.)
        other = desk.start_other(self)
        settings = "[MainForm]\nAlwaysOnTop=1\n[Option]\nTaskTray=1\nTaskBar=0\nWidth=480\nHeight=200\n" + HOTKEY
        app = self.start(settings=settings)
        win, states = app.window, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE"}
        self.assertEqual(desk.outer_geometry(win)[2:], (480, 200))
        for numlock in (False, True):
            desk.wait_until(lambda: desk.shown(win) and desk.window_state(win) >= states, what="shown as before")
            if numlock:
                desk.press_keys("Num_Lock", clear_modifiers=False)
                self.addCleanup(desk.press_keys, "Num_Lock", clear_modifiers=False)
                self.assertRegex(desk.run("xset", "q"), r"Num Lock:\s+on")
            # As typed, with Num Lock left as it stands.
            desk.press_keys("ctrl+shift+t", window=other.window, clear_modifiers=False)
            self.wait_hidden(win)
            self.assertNotIn(win, desk.client_list())
            desk.press_keys("ctrl+shift+t", window=other.window, clear_modifiers=False)
        desk.wait_until(lambda: desk.shown(win) and desk.window_state(win) >= states, what="shown as before")
        self.assertEqual(app.windows(), [win])
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")
        self.assertEqual(app.read_settings(), settings)  # nothing changed

    def test_a_new_layout_or_a_switch_of_group_moves_the_grab(self):
        other = desk.start_other(self)
        self.addCleanup(desk.run, "setxkbmap", "-layout", "us", check=False)
        # Ctrl + Shift + Y; a German keyboard swaps Y and Z. After `setxkbmap de` (or a switch
        # to another layout of the keymap) it sits on the key that now gives its letter.
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
