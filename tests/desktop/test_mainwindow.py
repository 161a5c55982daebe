"""The whole program in the private desktop session: start-up from the settings file and
the command line, counting, the window's place in the desktop, and its state saved at exit
and restored at the next start."""

import re
import time
import unittest

import desk

ABOVE = "_NET_WM_STATE_ABOVE"
TICK = 0.2  # the program's tick
STEP = 1.0  # the shown time changes once a second


def ini_value(text, section, key):
    """A key's value in the settings text, or None."""
    m = re.search(r"(?ims)^\[%s\]$[^[]*?^%s=(.*?)$" % (section, key), text or "")
    return m.group(1).strip() if m else None


def seconds(text):
    minutes, secs = text.split(":")
    return int(minutes) * 60 + int(secs)


class MainWindowTest(unittest.TestCase):
    def start(self, args=(), settings=None, env=None, again=None):
        """Starts the program, or with again= the same copy over the settings it left."""
        return desk.start_shown(self, again or desk.Program(args=args, settings=settings, env=env))

    def close(self, app):
        self.assertEqual(app.close(), 0, app.output())
        return app.read_settings()

    def find(self, role, name=None):
        return desk.find_accessible(desk.atspi_application(), role, name)

    def time_text(self):
        return desk.accessible_text(self.find("text", "Time"))

    def outer_geometry(self, win):
        g = desk.geometry(win)
        left, right, top, bottom = desk.frame_extents(win) or (0, 0, 0, 0)
        return (g["x"] - left, g["y"] - top, g["width"] + left + right,
                g["height"] + top + bottom)

    # Start-up and counting

    def test_command_line_chooses_mode_and_starts_counting_visibly(self):
        cases = [(["/S"], "", "StopWatch", 1), (["/c", "5"], "", "CountDown", -1),
                 (["3"], "[MainForm]\nStartForm=3\n", "StopWatch", 1),
                 (["/A", "12:00"], "", "Alarm", 0)]
        for args, settings, title, direction in cases:
            with self.subTest(args=args):
                app = self.start(args, settings)
                self.assertEqual(desk.window_name(app.window), title)
                first = self.time_text()
                if direction:
                    later = desk.wait_until(lambda: next(
                        (t for t in [self.time_text()] if t != first), None),
                        what="the count to move")
                else:
                    time.sleep(2 * STEP + TICK)  # two changes of the shown second would pass
                    later = self.time_text()
                change = seconds(later) - seconds(first)
                self.assertEqual((change > 0) - (change < 0), direction, (first, change))
                if direction == 0:
                    self.assertEqual(first, "12:00")
                    self.find("push button", "Add 10 minutes")
                elif direction < 0:
                    self.assertLessEqual(seconds(first), 300)
                self.close(app)

    def test_texts_longer_than_the_typing_limit_and_ctrl_a_in_the_field(self):
        # Five characters may be typed; the program's own longer texts stay whole.
        app = self.start(["/S", "99:59"], "[Option]\nMaxLength=5\n")
        desk.wait_until(lambda: self.time_text() == "100:00", what="the stopwatch's maximum")
        self.find("push button", "Start")  # it stopped there
        self.close(app)
        app = self.start(["/C", "0000005"], "[Option]\nMaxLength=5\n")
        self.assertGreater(seconds(self.time_text()), 290)
        desk.press_keys("Escape", "alt+s", window=app.window)  # stop the count
        self.find("push button", "Start")  # the button's click has landed
        # Ctrl+A from the button moves to the field; in the field it selects all again.
        desk.press_keys("ctrl+a", "End", "ctrl+a", "7", window=app.window)
        desk.wait_until(lambda: self.time_text() == "7", what="the text replaced")
        self.close(app)

    def test_interface_in_japanese_under_a_japanese_locale(self):
        app = self.start(env={"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8", "LANGUAGE": "ja"})
        names = [a.name for a in desk.find_accessibles(desk.atspi_application(), "menu item")]
        self.assertIn("常に手前に表示(A)", names)
        self.assertIn("カウントダウン", names)
        # The captions of the modes stay English.
        self.assertEqual(desk.window_name(app.window), "CountDown")
        self.close(app)

    # The window's place in the desktop

    def test_always_on_top_and_access_keys_of_the_menu_and_the_picture_button(self):
        app = self.start(settings="[MainForm]\nStartForm=3\nAlwaysOnTop=1\n")
        self.assertIn(ABOVE, desk.window_state(app.window))
        self.assertEqual(self.time_text(), "0:00")
        # One action button for a screen reader; its access key is no button of its own.
        names = [a.name for a in desk.find_accessibles(desk.atspi_application(), "push button")]
        self.assertEqual(sorted(names), ["Clear", "Minimize", "Start"])
        desk.press_keys("alt+g", window=app.window)  # the action button's access key
        self.find("push button", "Stop")
        first = self.time_text()
        desk.wait_until(lambda: self.time_text() != first, what="the count to move")
        # The button's access key, though the menu "&Set" shares it.
        desk.press_keys("alt+s", window=app.window)
        self.find("push button", "Start")
        stopped = self.time_text()
        time.sleep(STEP + TICK)  # a running count would show the next second
        self.assertEqual(self.time_text(), stopped)
        desk.press_keys("alt+m", "a", window=app.window)  # Mode > Always on Top
        desk.wait_until(lambda: ABOVE not in desk.window_state(app.window), what="not above")
        self.assertEqual(ini_value(self.close(app), "MainForm", "AlwaysOnTop"), "0")

    # State saved at exit and restored

    def test_position_size_and_mode_come_back_after_a_close_while_maximized(self):
        app = self.start()
        win = app.window
        # Centred on the screen at the first start.
        x0, y0, w0, h0 = self.outer_geometry(win)
        width, height = desk.screen_size()
        self.assertLessEqual(abs(x0 - (width - w0) // 2), 1)
        self.assertLessEqual(abs(y0 - (height - h0) // 2), 1)

        desk.resize(win, w0 + 58, h0 - 15)
        desk.move(win, 100, 120)

        def moved_and_resized():
            x, y, w, h = self.outer_geometry(win)
            return (x, y) != (x0, y0) and (w, h) != (w0, h0)
        desk.wait_until(moved_and_resized, what="the window moved and resized")
        desk.press(self.find("menu item", "StopWatch"))
        desk.wait_until(lambda: desk.window_name(win) == "StopWatch", what="StopWatch mode")
        before = self.outer_geometry(win)
        # The normal window's place and size are kept.
        desk.maximize(win)
        desk.wait_until(lambda: "_NET_WM_STATE_MAXIMIZED_HORZ" in desk.window_state(win),
                        what="maximized")
        desk.settle(0.3)
        text = self.close(app)
        self.assertEqual(ini_value(text, "MainForm", "StartForm"), "3", text)
        self.assertEqual(ini_value(text, "Option", "Width"), str(before[2]), text)
        self.assertEqual(ini_value(text, "Option", "Height"), str(before[3]), text)

        again = self.start(again=app)
        self.assertEqual(desk.window_name(again.window), "StopWatch")
        self.assertEqual(self.outer_geometry(again.window), before)
        # Nothing changed in the second run: nothing more is written.
        self.assertEqual(self.close(again), text)

    def test_nothing_creeps_at_other_dpi_settings(self):
        # The window's size and place survive a run unchanged, so nothing is written. (The
        # size fits the screen at 192 DPI too, where Qt counts 512 by 384 pixels.)
        settings = "[MainForm]\nLeft=1500\nTop=1500\n[Option]\nWidth=480\nHeight=200\n"
        for dpi in ("110", "192"):
            with self.subTest(dpi=dpi):
                app = self.start(settings=settings, env={"QT_FONT_DPI": dpi})
                self.assertEqual(self.close(app), settings)

    def test_sigterm_saves_exactly_once_as_a_close_does(self):
        app = self.start(settings="[MainForm]\nStartForm=2\n")
        desk.press(self.find("menu item", "Alarm"))
        desk.wait_until(lambda: desk.window_name(app.window) == "Alarm", what="Alarm mode")
        self.assertEqual(app.terminate(), 0, app.output())
        text = app.read_settings()
        self.assertEqual(re.findall(r"(?im)^StartForm=.*$", text), ["StartForm=1"], text)

    def test_a_position_off_every_screen_comes_back(self):
        app = self.start(settings="[MainForm]\nLeft=-2000000\nTop=3000000\n")
        x, y, w, h = self.outer_geometry(app.window)
        width, height = desk.screen_size()
        self.assertTrue(0 <= x and x + w <= width and 50 <= y + h <= height, (x, y, w, h))
        self.close(app)


if __name__ == "__main__":
    unittest.main()
