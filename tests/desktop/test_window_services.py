"""The window services against the real window manager and panel, through a small window
that applies them on command (services_probe)."""

import os
import re
import unittest

import desk

SKIP = "_NET_WM_STATE_SKIP_TASKBAR"
ABOVE = "_NET_WM_STATE_ABOVE"
MWM_HINTS_FUNCTIONS = 0x1
MWM_FUNC_ALL = 0x1
MWM_FUNC_MINIMIZE = 0x8


class ProbeTestCase(unittest.TestCase):
    def start(self, *flags):
        probe = desk.Program(os.environ["PLIMSET_SERVICES_PROBE"], args=flags, stdin=True,
                             lines=True)
        probe.start()
        self.addCleanup(probe.kill)
        self.first_line = probe.read_line()
        if self.first_line.startswith("extents"):
            self.shown_line = probe.read_line()
        else:
            self.shown_line = self.first_line
        self.assertTrue(self.shown_line.startswith("shown "), self.shown_line)
        probe.wait_window()
        return probe

    def ask(self, probe, command):
        answer = probe.request(command)
        self.assertTrue(answer.startswith("ok"), "%s -> %s" % (command, answer))
        return answer[2:].split()

    def hide_and_show(self, probe):
        win = probe.window
        self.ask(probe, "hide")
        desk.wait_until(lambda: win not in desk.client_list(), what="window withdrawn")
        self.ask(probe, "show")
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable", what="window shown")
        desk.settle()


class TaskbarButtonTest(ProbeTestCase):
    def test_button_taken_away_and_given_back_and_kept_across_hide_and_show(self):
        probe = self.start("--no-taskbar")
        win = probe.window
        # Set before the first show: managed, but not a task of the panel.
        self.assertIn(SKIP, desk.window_state(win))
        self.assertIn(win, desk.client_list())
        self.assertNotIn(win, desk.taskbar_windows())

        self.hide_and_show(probe)
        self.assertIn(SKIP, desk.window_state(win))

        self.ask(probe, "taskbar 1")
        desk.wait_until(lambda: win in desk.taskbar_windows(), what="task shown")
        self.hide_and_show(probe)
        self.assertIn(win, desk.taskbar_windows())

        self.ask(probe, "taskbar 0")
        desk.wait_until(lambda: win not in desk.taskbar_windows(), what="task removed")
        self.hide_and_show(probe)
        self.assertNotIn(win, desk.taskbar_windows())
        # Other states the window had are untouched.
        self.assertNotIn(ABOVE, desk.window_state(win))


class AlwaysOnTopTest(ProbeTestCase):
    def test_above_set_instantly_and_kept_with_the_same_window(self):
        probe = self.start()
        win = probe.window
        self.assertNotIn(ABOVE, desk.window_state(win))

        self.ask(probe, "ontop 1")
        desk.wait_until(lambda: ABOVE in desk.window_state(win), what="above state")
        self.assertEqual(int(self.ask(probe, "winid")[0]), win)
        self.assertEqual(desk.map_state(win), "IsViewable")

        self.hide_and_show(probe)
        self.assertIn(ABOVE, desk.window_state(win))
        self.assertEqual(int(self.ask(probe, "winid")[0]), win)
        self.assertEqual(probe.windows(), [win])

        self.ask(probe, "ontop 0")
        desk.wait_until(lambda: ABOVE not in desk.window_state(win), what="above removed")
        self.hide_and_show(probe)
        self.assertNotIn(ABOVE, desk.window_state(win))

    def test_on_top_before_the_first_show(self):
        probe = self.start("--on-top", "--no-taskbar")
        self.assertTrue({ABOVE, SKIP} <= desk.window_state(probe.window))


class MinimizeOfferedTest(ProbeTestCase):
    def minimize_offered_by_hints(self, win):
        hints = desk.motif_hints(win)
        if hints is None or not hints[0] & MWM_HINTS_FUNCTIONS:
            return True
        offered = bool(hints[1] & MWM_FUNC_MINIMIZE)
        return not offered if hints[1] & MWM_FUNC_ALL else offered

    def test_withheld_minimize_is_undone_and_offered_minimize_sticks(self):
        probe = self.start("--no-minimize")
        win = probe.window
        self.assertFalse(self.minimize_offered_by_hints(win))

        desk.minimize(win)
        # The window manager minimizes anyway; the window comes straight back.
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable"
                        and not desk.wm_hints_iconic(win), timeout=3, what="restored")
        desk.settle(0.5)
        self.assertEqual(desk.map_state(win), "IsViewable")
        self.assertEqual(self.ask(probe, "state"), ["1", "0"])
        self.assertEqual(int(self.ask(probe, "winid")[0]), win)

        self.ask(probe, "minimize 1")
        desk.wait_until(lambda: self.minimize_offered_by_hints(win), what="hints updated")
        desk.minimize(win)
        desk.wait_until(lambda: desk.wm_hints_iconic(win), what="minimized")
        desk.settle(0.5)
        self.assertTrue(desk.wm_hints_iconic(win))
        self.assertEqual(self.ask(probe, "state"), ["1", "1"])


class FrameExtentsTest(ProbeTestCase):
    def test_frame_known_before_the_first_show_matches_the_window_manager(self):
        probe = self.start("--extents-before-show")
        left, top, right, bottom = (int(n) for n in self.first_line.split()[1:])
        self.assertGreater(top, 0, "openbox gives a title bar")
        shown = desk.wait_until(lambda: desk.frame_extents(probe.window), what="extents")
        self.assertEqual((left, right, top, bottom), shown)
        self.assertEqual([int(n) for n in self.ask(probe, "extents")], [left, top, right, bottom])

        # The borders the layout uses: the frame plus the menu bar, in twips (96 DPI: 15).
        width, height, menu = (int(n) for n in self.ask(probe, "borders"))
        self.assertGreater(menu, 0)
        self.assertEqual(width, (left + right) * 15)
        self.assertEqual(height, (top + bottom + menu) * 15)
        # The menu bar sits inside the client area Qt reports.
        self.assertGreater(desk.geometry(probe.window)["height"], menu)


class AccessibilityTest(ProbeTestCase):
    def test_text_field_is_readable_through_the_accessibility_bus(self):
        self.start()
        app = desk.atspi_application("services_probe")
        field = desk.find_accessible(app, role="text")
        self.assertEqual(desk.accessible_text(field), "probe text")


if __name__ == "__main__":
    unittest.main()
