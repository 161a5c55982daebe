"""The program on a desktop whose panel has no notification area: the tray icon is asked
for but no tray shows it. Run in a session whose panel has only a taskbar."""

import os
import subprocess
import unittest

import desk


class NoTrayTest(unittest.TestCase):
    def test_window_stays_reachable_and_the_icon_comes_with_a_tray(self):
        app = desk.Program(args=["/C", "5"],
                           settings="[Option]\nTaskTray=1\nTaskBar=0\nHotkey=684\n")
        app.start()
        self.addCleanup(app.kill)
        win = app.wait_window()

        # The message comes once, after a short wait for a tray; the program goes on.
        message = desk.wait_until(lambda: next((w for w in app.windows() if w != win), None),
                                  what="the message")
        acc = desk.atspi_application(pid=app.process.pid)
        desk.find_accessible(
            acc, name="Timeout error. The icon does not appear in the notification area.")
        desk.press_keys("Return", window=message)
        desk.wait_until(lambda: app.windows() == [win], what="the message closed")

        # Without a tray the window keeps its taskbar button (whatever TaskBar says) and is
        # minimized to it, by the window manager and by the hotkey alike.
        self.assertIn(win, desk.taskbar_windows())
        self.assertTrue(desk.minimize_offered(win))
        desk.minimize(win)
        desk.wait_until(lambda: desk.wm_hints_iconic(win), what="minimized")
        desk.press_keys("ctrl+shift+t")
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable", what="restored")
        self.assertFalse(desk.wm_hints_iconic(win))

        # A tray comes (a panel started): the icon appears in it, and the taskbar button
        # follows TaskBar again.
        rc = os.path.join(desk.session_dir(), "tray-only-tint2rc")
        with open(os.path.join(desk.session_dir(), "tint2rc")) as f, open(rc, "w") as out:
            out.write(f.read().replace("panel_items = T\n", "panel_items = S\n")
                      .replace("panel_position = bottom", "panel_position = top"))
        tray = subprocess.Popen(["tint2", "-c", rc], stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(tray.wait)
        self.addCleanup(tray.kill)
        icon = desk.wait_until(lambda: next(iter(desk.tray_icons(app)), None), what="the icon")
        desk.wait_until(lambda: win not in desk.taskbar_windows(), what="no taskbar button")
        desk.minimize(win)
        desk.wait_until(lambda: desk.map_state(win) != "IsViewable", what="hidden to the tray")
        self.assertFalse(desk.wm_hints_iconic(win))
        desk.click(icon, 1)
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable", what="shown again")

        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")


if __name__ == "__main__":
    unittest.main()
