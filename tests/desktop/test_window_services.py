# The window services of the real program against the real window manager and panel: the
# frame known before the first show, always on top and the taskbar button set before the
# window is mapped and kept through hide and show with the same window, and a minimize the
# program withholds undone. (The taskbar button changed on a shown window: test_no_tray.)

import unittest

import desk

SKIP, ABOVE = "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_ABOVE"


class WindowServicesTest(unittest.TestCase):
    def test_size_on_top_and_no_taskbar_button_hold_through_hide_and_show(self):
        settings = "[MainForm]\nAlwaysOnTop=1\n[Option]\nTaskTray=1\nTaskBar=0\nWidth=480\nHeight=200\n"
        app = desk.start_shown(self, desk.Program(settings=settings))
        win = app.window
        # The size kept is the outer one: the frame was known before the first show.
        self.assertEqual(desk.outer_geometry(win)[2:], (480, 200))
        # Set before the first map, and kept when it is hidden to the tray and shown by the icon.
        def shown_as_before(timeout=desk.DEFAULT_TIMEOUT):
            return desk.wait_until(lambda: desk.window_state(win) & {SKIP, ABOVE} == {SKIP, ABOVE}
                                   and desk.map_state(win) == "IsViewable", timeout=timeout,
                                   what="shown as before")

        def click_icon():
            # A click the icon was not yet ready for is clicked again, as a user would.
            desk.click(desk.wait_until(lambda: next(iter(desk.tray_icons(app)), None),
                                       what="the icon"))
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

    def test_a_withheld_minimize_is_undone(self):
        # Neither tray nor taskbar button: no way back from a minimize, so none is offered.
        app = desk.start_shown(self, desk.Program(settings="[Option]\nTaskTray=0\nTaskBar=0\n"))
        self.assertFalse(desk.minimize_offered(app.window))
        desk.minimize(app.window)
        # The window manager minimizes anyway; the window comes straight back.
        desk.wait_until(lambda: desk.shown(app.window), what="restored")
        desk.stays(lambda: desk.shown(app.window), 1.0, what="shown")
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
