# The notification-area icon and the global hotkey of the real program in the session's
# tint2 tray: the icon, the clicks and the menu, minimizing to the tray, and the
# hotkey pressed while another window has the focus; the window services (size, always on
# top, taskbar button) through hide and show.

import unittest

import desk

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
        other = desk.start_other(self)

        def press():
            # As typed, with Num Lock left as it stands.
            desk.press_keys("ctrl+shift+t", window=other.window, clear_modifiers=False)

        app = self.start(settings="[Option]\nTaskTray=1\nTaskBar=0\n" + HOTKEY)
        for numlock in (False, True):
            if numlock:
                desk.press_keys("Num_Lock", clear_modifiers=False)
                self.addCleanup(desk.press_keys, "Num_Lock", clear_modifiers=False)
                self.assertRegex(desk.run("xset", "q"), r"Num Lock:\s+on")
            press()
            self.wait_hidden(app.window)
            press()
            self.wait_shown(app.window)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")


    def test_size_on_top_and_no_taskbar_button_hold_through_hide_and_show(self):
        # The window services against the real window manager: the frame known before the
        # first show (the size kept is the outer one), always on top and no taskbar button set
        # before the first map and kept when hidden to the tray and shown by the icon, with
        # the same window. (The taskbar button changed on a shown window: test_no_tray.)
        settings = "[MainForm]\nAlwaysOnTop=1\n[Option]\nTaskTray=1\nTaskBar=0\nWidth=480\nHeight=200\n"
        app = self.start(settings=settings)
        win, states = app.window, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE"}
        self.assertEqual(desk.outer_geometry(win)[2:], (480, 200))

        def shown_as_before(timeout=desk.DEFAULT_TIMEOUT):
            return desk.wait_until(lambda: desk.window_state(win) >= states and desk.map_state(win)
                                   == "IsViewable", timeout=timeout, what="shown as before")

        def click_icon():
            # A click the icon was not yet ready for is clicked again, as a user would.
            desk.click(self.icon(app))
            try:
                return shown_as_before(timeout=3)
            except TimeoutError:
                return False
        shown_as_before()
        for _ in range(2):
            desk.minimize(win)
            desk.wait_until(lambda: win not in desk.client_list(), what="hidden to the tray")
            desk.wait_until(click_icon, what="shown by the icon")
        self.assertEqual(app.windows(), [win])
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.read_settings(), settings)  # nothing changed


if __name__ == "__main__":
    unittest.main()
