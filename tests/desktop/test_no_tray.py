# The program on a desktop whose panel has no notification area (a session whose panel has
# only a taskbar): the tray icon is asked for but no tray shows it, until a panel with a
# status tray comes late and goes.

import unittest

import desk
from test_notifications import Dunst
from test_tray_panels import Item, Panel

MISSING = "Timeout error. The icon does not appear in the notification area."


class NoTrayTest(unittest.TestCase):
    def test_window_stays_reachable_and_the_icon_comes_with_a_panel(self):
        dunst = Dunst()
        self.addCleanup(dunst.stop)
        app = desk.Program(args=["/C", "5"],
                           settings="[Option]\nTaskTray=1\nTaskBar=0\nHotkey=684\n")
        app.start()
        self.addCleanup(app.kill)
        win = app.wait_window()

        # Told once, after a short wait for a tray, on standard error and as a notification;
        # no box blocks the window.
        desk.wait_until(lambda: MISSING in app.output(), what="the line on standard error")
        notice = desk.wait_until(lambda: next((n for n in dunst.shown() if n[1] == MISSING),
                                              None), what="the notification")
        self.assertEqual(notice[:3], ("Plimset", MISSING, ""))
        self.assertEqual(app.windows(), [win])

        # Without a tray the window keeps its taskbar button (whatever TaskBar says) and is
        # minimized to it, by the window manager and by the hotkey alike.
        self.assertIn(win, desk.taskbar_windows())
        self.assertTrue(desk.minimize_offered(win))
        desk.minimize(win)
        desk.wait_until(lambda: desk.iconic(win), what="minimized")
        desk.press_keys("ctrl+shift+t")
        desk.wait_until(lambda: desk.shown(win), what="restored")

        # A panel comes: the icon appears in it, the taskbar button follows TaskBar again,
        # and the window goes to the icon when minimized.
        panel = Panel(self)
        Item(app)
        desk.wait_until(lambda: win not in desk.taskbar_windows(), what="no taskbar button")
        desk.minimize(win)
        desk.wait_until(lambda: desk.map_state(win) != "IsViewable" and not desk.iconic(win),
                        what="hidden to the icon")

        # The panel goes: the window comes back while it is away (a panel coming again:
        # test_tray_panels). Nothing more is told, no box appears.
        panel.stop()
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable", what="shown again")
        self.assertEqual(app.windows(), [win])
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "plimset: %s\n" % MISSING)
        self.assertEqual([n for n in dunst.shown() if n[1] == MISSING], [notice])


if __name__ == "__main__":
    unittest.main()
