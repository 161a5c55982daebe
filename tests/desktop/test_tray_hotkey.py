"""The notification-area icon and the global hotkey of the real program in the session's
tint2 tray: the icon and its tip, the clicks and the menu, minimizing to the tray, and the
hotkey pressed while another window has the focus."""

import os
import re
import unittest

import desk

HOTKEY = "Hotkey=684\n"  # Ctrl + Shift + T
TIME = r"^\d+:\d\d$"


class TrayHotkeyTest(unittest.TestCase):
    def start(self, args=(), settings=None):
        return desk.start_shown(self, desk.Program(args=args, settings=settings))

    def icon(self, app):
        return desk.wait_until(lambda: next(iter(desk.tray_icons(app)), None), what="the icon")

    def wait_hidden(self, win):
        desk.wait_until(lambda: desk.map_state(win) != "IsViewable"
                        and win not in desk.taskbar_windows(), what="the window hidden")
        self.assertFalse(desk.wm_hints_iconic(win))

    def wait_shown(self, win):
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable", what="the window shown")
        self.assertFalse(desk.wm_hints_iconic(win))

    def choose(self, app, key):
        """Opens the icon's menu with a right click and picks an item by its access key."""
        desk.settle(0.3)  # at a person's pace: the last menu has closed
        desk.click(self.icon(app), 3)
        desk.wait_until(lambda: desk.popups(app), what="the tray menu")
        desk.press_keys(key)

    def test_icon_only_with_task_tray_and_its_tip_shows_the_running_time(self):
        app = self.start(["/C", "5"], "[Option]\nTaskTray=0\nProgress=1\n")
        desk.settle(1.0)
        self.assertEqual(desk.tray_icons(app), [])
        self.assertEqual(app.close(), 0)

        # Shown always: the tip counts while the window is shown.
        app = self.start(["/C", "5"], "[Option]\nTaskTray=1\nProgress=1\nShowAlways=1\n")
        self.assertRegex(desk.tooltip(self.icon(app), app), TIME)
        self.assertEqual(app.close(), 0)

        # Otherwise the tip names the mode while the window is shown and counts while it
        # is hidden in the tray.
        app = self.start(["/C", "5"], "[Option]\nTaskTray=1\nProgress=1\n")
        icon = self.icon(app)
        self.assertEqual(desk.tooltip(icon, app), "CountDown")
        desk.minimize(app.window)
        self.wait_hidden(app.window)
        self.assertRegex(desk.tooltip(icon, app), TIME)
        # A request to end the program reaches it also while it is hidden in the tray.
        self.assertEqual(app.terminate(), 0)
        self.assertEqual(app.output(), "")

    def test_clicks_and_menu_bring_back_a_window_minimized_to_the_tray_and_exit_saves(self):
        app = self.start(["/S"], "[Option]\nTaskTray=1\nTaskBar=1\n")
        win = app.window
        self.assertIn(win, desk.taskbar_windows())
        desk.minimize(win)
        self.wait_hidden(win)
        desk.click(self.icon(app), 1)
        self.wait_shown(win)
        self.assertIn(win, desk.taskbar_windows())

        self.choose(app, "n")  # Mi&nimize
        self.wait_hidden(win)
        self.choose(app, "x")  # E&xit: the icon goes, the hidden window closes and saves
        self.assertEqual(app.process.wait(desk.DEFAULT_TIMEOUT), 0)
        self.assertRegex(app.read_settings() or "", r"(?m)^StartForm=3")
        self.assertEqual(app.output(), "")

    def test_hotkey_from_another_window_follows_tray_and_taskbar(self):
        other = desk.Program(os.environ["PLIMSET_SERVICES_PROBE"], lines=True).start()
        self.addCleanup(other.kill)
        other.wait_window()

        def press():
            # As typed, with Num Lock left as it stands.
            desk.press_keys("ctrl+shift+t", window=other.window, clear_modifiers=False)

        app = self.start(settings="[Option]\nTaskTray=1\nTaskBar=0\n" + HOTKEY)
        win = app.window
        for numlock in (False, True):
            with self.subTest(numlock=numlock):
                if numlock:
                    desk.toggle_num_lock()
                    self.addCleanup(desk.toggle_num_lock)
                    self.assertRegex(desk.run("xset", "q"), r"Num Lock:\s+on")
                press()
                self.wait_hidden(win)
                press()
                self.wait_shown(win)
        # While the font dialog is open the hotkey does nothing.
        desk.press_keys("alt+m", "f", window=win)
        desk.wait_until(lambda: len(app.windows()) > 1, what="the font dialog")
        press()
        desk.settle(0.5)
        self.assertEqual(desk.map_state(win), "IsViewable")
        dialog = next(w for w in app.windows() if w != win)
        desk.press_keys("Escape", window=dialog)
        desk.wait_until(lambda: app.windows() == [win], what="the font dialog closed")
        self.assertEqual(app.close(), 0)

        app = self.start(settings="[Option]\nTaskTray=0\nTaskBar=1\n" + HOTKEY)
        press()
        desk.wait_until(lambda: desk.wm_hints_iconic(app.window), what="minimized")
        press()
        self.wait_shown(app.window)
        self.assertEqual(app.close(), 0)

        app = self.start(settings="[Option]\nTaskTray=0\nTaskBar=0\n" + HOTKEY)
        press()
        desk.settle(0.5)
        self.assertEqual(desk.map_state(app.window), "IsViewable")
        self.assertFalse(desk.wm_hints_iconic(app.window))
        self.assertEqual(app.output(), "")

    def test_a_combination_another_program_holds_is_reported_once(self):
        first = self.start(settings="[Option]\n" + HOTKEY)
        # A Plimset of another session bus, which knows nothing of the first.
        second = desk.start_shown(self, desk.Program(
            settings="[Option]\n" + HOTKEY, env={"DBUS_SESSION_BUS_ADDRESS": "unix:path=/none"}))
        desk.settle(0.5)
        self.assertEqual(first.output(), "")
        held = re.findall("Ctrl \\+ Shift \\+ T is already held by another program",
                          second.output())
        self.assertEqual(len(held), 1, second.output())


if __name__ == "__main__":
    unittest.main()
