"""The window services against the real window manager and panel, through a small window
that applies them on command (services_probe)."""

import os
import unittest

import desk

SKIP = "_NET_WM_STATE_SKIP_TASKBAR"
ABOVE = "_NET_WM_STATE_ABOVE"


class WindowServicesTest(unittest.TestCase):
    def start(self, *flags):
        probe = desk.Program(os.environ["PLIMSET_SERVICES_PROBE"], args=flags, lines=True)
        probe.start()
        self.addCleanup(probe.kill)
        self.first_line = probe.request()
        if self.first_line.startswith("extents"):
            probe.request()  # "shown"
        probe.wait_window()
        return probe

    def ask(self, probe, command):
        answer = probe.request(command)
        self.assertTrue(answer.startswith("ok"), "%s -> %s" % (command, answer))
        return [int(n) for n in answer[2:].split()]

    def hide_and_show(self, probe):
        self.ask(probe, "hide")
        desk.wait_until(lambda: probe.window not in desk.client_list(), what="withdrawn")
        self.ask(probe, "show")
        desk.wait_until(lambda: desk.map_state(probe.window) == "IsViewable", what="shown")
        desk.settle()

    def test_taskbar_button_and_on_top_survive_hide_and_show_with_the_same_window(self):
        probe = self.start("--no-taskbar", "--on-top")
        win = probe.window
        # Set before the first show: managed, above, but not a task of the panel.
        self.assertIn(win, desk.client_list())
        self.assertNotIn(win, desk.taskbar_windows())
        self.assertIn(ABOVE, desk.window_state(win))
        steps = [(None, {SKIP, ABOVE}), ("taskbar 1", {ABOVE}), ("ontop 0", set()),
                 ("ontop 1", {ABOVE}), ("taskbar 0", {SKIP, ABOVE})]
        for command, wanted in steps:
            if command:
                self.ask(probe, command)
                desk.wait_until(lambda: desk.window_state(win) & {SKIP, ABOVE} == wanted,
                                what=command)
                # Applied to the window as it is: not hidden, not made anew.
                self.assertEqual(desk.map_state(win), "IsViewable", command)
            self.hide_and_show(probe)
            self.assertEqual(desk.window_state(win) & {SKIP, ABOVE}, wanted, command)
            self.assertEqual(self.ask(probe, "winid"), [win])
        self.assertEqual(probe.windows(), [win])

    def test_withheld_minimize_is_undone_and_offered_minimize_sticks(self):
        probe = self.start("--no-minimize")
        win = probe.window
        self.assertFalse(desk.minimize_offered(win))
        desk.minimize(win)
        # The window manager minimizes anyway; the window comes straight back.
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable"
                        and not desk.wm_hints_iconic(win), what="restored")
        desk.settle(0.5)
        self.assertEqual(desk.map_state(win), "IsViewable")
        self.assertEqual(self.ask(probe, "state"), [1, 0])
        self.assertEqual(self.ask(probe, "winid"), [win])

        self.ask(probe, "minimize 1")
        desk.wait_until(lambda: desk.minimize_offered(win), what="hints updated")
        desk.minimize(win)
        desk.wait_until(lambda: desk.wm_hints_iconic(win), what="minimized")
        desk.settle(0.5)
        self.assertTrue(desk.wm_hints_iconic(win))
        self.assertEqual(self.ask(probe, "state"), [1, 1])

    def test_frame_known_before_the_first_show_matches_the_window_manager(self):
        probe = self.start("--extents-before-show")
        left, top, right, bottom = (int(n) for n in self.first_line.split()[1:])
        self.assertGreater(top, 0, "the window manager gives a title bar")
        shown = desk.wait_until(lambda: desk.frame_extents(probe.window), what="extents")
        self.assertEqual((left, right, top, bottom), shown)
        self.assertEqual(self.ask(probe, "extents"), [left, top, right, bottom])
        # The borders the layout uses: the frame plus the menu bar, with the menu bar inside
        # the client area Qt reports.
        width, height, menu = self.ask(probe, "borders")
        self.assertEqual(width, left + right)
        self.assertEqual(height, top + bottom + menu)
        self.assertGreater(menu, 0)
        self.assertGreater(desk.geometry(probe.window)["height"], menu)


if __name__ == "__main__":
    unittest.main()
