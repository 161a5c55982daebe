# The notification-area icon and the global hotkey of the real program in the session's
# tint2 tray: the icon and its tip, the clicks and the menu, minimizing to the tray, and the
# hotkey pressed while another window has the focus.

import unittest

import desk

HOTKEY = "Hotkey=684\n"  # Ctrl + Shift + T
TIME = r"\d+:\d\d"


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

    def test_icon_and_tip_clicks_menu_and_the_end_while_hidden(self):
        # The tip names the mode while the window is shown and counts while it is hidden.
        app = self.start(["/C", "5"], "[MainForm]\nStartForm=3\n[Option]\nTaskTray=1\nTaskBar=1\n"
                         "Progress=1\n")
        win = app.window
        desk.tooltip(self.icon(app), app, "CountDown")
        self.assertIn(win, desk.taskbar_windows())
        desk.minimize(win)
        self.wait_hidden(win)
        desk.tooltip(self.icon(app), app, TIME)
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

    def test_hotkey_from_another_window_follows_tray_and_taskbar(self):
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
        # While the font dialog is open the hotkey does nothing.
        desk.press_keys("alt+m", "f", window=app.window)
        dialog = desk.wait_until(app.other_window, what="the font dialog")
        press()
        desk.stays(lambda: desk.shown(app.window), 1.0, what="shown")
        desk.press_keys("Escape", window=dialog)
        desk.wait_until(lambda: app.windows() == [app.window], what="the font dialog closed")
        self.assertEqual(app.close(), 0)

        # Without a tray it minimizes to the taskbar. (With neither, it does nothing: the
        # unit test HotkeyAction holds that; a combination held by another program:
        # test_remote.)
        app = self.start(settings="[Option]\nTaskTray=0\nTaskBar=1\n" + HOTKEY)
        press()
        desk.wait_until(lambda: desk.iconic(app.window), what="minimized")
        press()
        self.wait_shown(app.window)
        self.assertEqual(desk.tray_icons(app), [])  # no icon without TaskTray
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")


if __name__ == "__main__":
    unittest.main()
