"""The whole program in the private desktop session: start-up from the settings file and
the command line, counting, the window's place in the desktop, and its state saved at exit
and restored at the next start."""

import re
import time
import unittest

import desk

SKIP = "_NET_WM_STATE_SKIP_TASKBAR"
ABOVE = "_NET_WM_STATE_ABOVE"
MWM_FUNC_ALL = 0x1
MWM_FUNC_MINIMIZE = 0x8


def ini_value(text, section, key):
    """A key's value in the settings text, or None."""
    current = None
    for line in (text or "").splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            current = line[1:-1].lower()
        elif current == section.lower() and "=" in line:
            name, value = line.split("=", 1)
            if name.strip().lower() == key.lower():
                return value.strip()
    return None


class MainWindowTestCase(unittest.TestCase):
    def start(self, args=(), settings=None, env=None):
        app = desk.Program(args=args, settings=settings, env=env)
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        desk.settle(0.3)
        return app

    def restart(self, previous, args=()):
        """Starts the same copy of the program again, over the settings it left."""
        app = desk.Program(args=args)
        app.folder, app.binary, app.settings_path = (
            previous.folder, previous.binary, previous.settings_path)
        app.log_path = previous.log_path + ".2"
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        desk.settle(0.3)
        return app

    def accessible(self, app):
        """The program's accessible application (one program runs at a time)."""
        return desk.atspi_application()

    def time_text(self):
        field = desk.find_accessible(desk.atspi_application(), role="text", name="Time")
        return desk.accessible_text(field)

    def outer_geometry(self, win):
        g = desk.geometry(win)
        left, right, top, bottom = desk.frame_extents(win) or (0, 0, 0, 0)
        return (g["x"] - left, g["y"] - top, g["width"] + left + right,
                g["height"] + top + bottom)


class StartupTest(MainWindowTestCase):
    def test_starts_in_the_saved_mode(self):
        app = self.start(settings="[MainForm]\nStartForm=3\n")
        self.assertEqual(desk.window_name(app.window), "StopWatch")
        self.assertEqual(self.time_text(), "0:00")
        self.assertEqual(app.close(), 0, app.output())

    def test_command_line_chooses_mode_and_starts(self):
        cases = [
            (["/S"], "", "StopWatch", "up"),
            (["/c", "5"], "", "CountDown", "down"),
            (["3"], "[MainForm]\nStartForm=3\n", "StopWatch", "up"),
            (["/A", "12:00"], "", "Alarm", "still"),
        ]
        for args, settings, title, direction in cases:
            with self.subTest(args=args):
                app = self.start(args=args, settings=settings)
                self.assertEqual(desk.window_name(app.window), title)
                first = self.time_text()
                time.sleep(2.2)
                second = self.time_text()
                if direction == "still":
                    self.assertEqual((first, second), ("12:00", "12:00"))
                    button = desk.find_accessible(self.accessible(app), role="push button",
                                                  name="Add 10 minutes")
                    self.assertIsNotNone(button)
                else:
                    self.assertNotEqual(first, second)
                    to_seconds = lambda t: int(t.split(":")[0]) * 60 + int(t.split(":")[1])
                    if direction == "up":
                        self.assertGreater(to_seconds(second), to_seconds(first))
                    else:
                        self.assertLess(to_seconds(second), to_seconds(first))
                        self.assertLessEqual(to_seconds(first), 300)
                self.assertEqual(app.close(), 0, app.output())

    def test_access_key_of_the_picture_button_starts_the_count(self):
        app = self.start(settings="[MainForm]\nStartForm=3\n")
        desk.key(app.window, "alt+g")
        desk.wait_until(lambda: desk.find_accessibles(self.accessible(app), "push button",
                                                      "Stop"), what="stop face")
        first = self.time_text()
        time.sleep(1.5)
        self.assertNotEqual(self.time_text(), first)
        self.assertEqual(app.close(), 0, app.output())

    def test_interface_in_japanese_under_a_japanese_locale(self):
        env = {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8", "LANGUAGE": "ja"}
        app = self.start(env=env)
        names = [a.name for a in desk.find_accessibles(self.accessible(app), "menu item")]
        self.assertIn("常に手前に表示(A)", names)
        self.assertIn("カウントダウン", names)
        # The captions of the modes stay English.
        self.assertEqual(desk.window_name(app.window), "CountDown")
        self.assertEqual(app.close(), 0, app.output())


class DesktopPlaceTest(MainWindowTestCase):
    def test_always_on_top_from_the_settings_and_the_menu(self):
        app = self.start(settings="[MainForm]\nAlwaysOnTop=1\n")
        win = app.window
        self.assertIn(ABOVE, desk.window_state(win))
        desk.key(win, "alt+m", "a")  # Mode > Always on Top
        desk.wait_until(lambda: ABOVE not in desk.window_state(win), what="not above")
        self.assertEqual(app.close(), 0, app.output())
        self.assertEqual(ini_value(app.read_settings(), "MainForm", "AlwaysOnTop"), "0")

    def test_without_taskbar_button_and_tray_minimize_is_not_offered(self):
        app = self.start(settings="[Option]\nTaskBar=0\nTaskTray=0\n")
        win = app.window
        self.assertIn(SKIP, desk.window_state(win))
        self.assertNotIn(win, desk.taskbar_windows())
        hints = desk.motif_hints(win)
        self.assertIsNotNone(hints)
        functions = hints[1]
        offered = bool(functions & MWM_FUNC_MINIMIZE) != bool(functions & MWM_FUNC_ALL)
        self.assertFalse(offered)
        desk.minimize(win)
        desk.settle(0.5)
        self.assertFalse(desk.wm_hints_iconic(win))
        self.assertEqual(desk.map_state(win), "IsViewable")
        self.assertEqual(app.close(), 0, app.output())

    def test_with_a_taskbar_button_the_window_minimizes(self):
        app = self.start()
        win = app.window
        self.assertIn(win, desk.taskbar_windows())
        desk.minimize(win)
        desk.wait_until(lambda: desk.wm_hints_iconic(win), what="minimized")
        self.assertEqual(app.close(), 0, app.output())


class SavedStateTest(MainWindowTestCase):
    def test_position_size_and_mode_come_back_after_a_close(self):
        app = self.start()
        win = app.window
        x0, y0, _, _ = self.outer_geometry(win)
        # Centred on the 1024 x 768 screen at the first start.
        width, height = desk.screen_size()
        _, _, w0, h0 = self.outer_geometry(win)
        self.assertLessEqual(abs(x0 - (width - w0) // 2), 1)
        self.assertLessEqual(abs(y0 - (height - h0) // 2), 1)

        desk.run("xdotool", "windowsize", str(win), str(w0 + 60 - 2), str(h0 + 10 - 25))
        desk.run("xdotool", "windowmove", str(win), "100", "120")
        desk.settle(0.5)
        stopwatch = desk.find_accessible(self.accessible(app), "menu item", "StopWatch")
        desk.press(stopwatch)
        desk.wait_until(lambda: desk.window_name(win) == "StopWatch", what="StopWatch mode")
        before = self.outer_geometry(win)
        # Closed while maximized: the normal window's place and size are kept.
        desk.run("wmctrl", "-i", "-r", hex(win), "-b", "add,maximized_vert,maximized_horz")
        desk.wait_until(lambda: "_NET_WM_STATE_MAXIMIZED_HORZ" in desk.window_state(win),
                        what="maximized")
        desk.settle(0.3)
        self.assertEqual(app.close(), 0, app.output())

        text = app.read_settings()
        self.assertEqual(ini_value(text, "MainForm", "StartForm"), "3", text)
        self.assertEqual(ini_value(text, "Option", "Width"), str(before[2]), text)
        self.assertEqual(ini_value(text, "Option", "Height"), str(before[3]), text)
        self.assertIsNotNone(ini_value(text, "MainForm", "Left"), text)

        again = self.restart(app)
        self.assertEqual(desk.window_name(again.window), "StopWatch")
        self.assertEqual(self.outer_geometry(again.window), before)
        self.assertEqual(again.close(), 0, again.output())
        # Nothing changed in the second run: nothing more is written.
        self.assertEqual(again.read_settings(), text)

    def test_nothing_creeps_at_other_dpi_settings(self):
        # The window's size and place survive a run unchanged, so nothing is written.
        settings = "[MainForm]\nLeft=1500\nTop=1500\n[Option]\nWidth=800\nHeight=200\n"
        for dpi in ("110", "192"):
            with self.subTest(dpi=dpi):
                app = self.start(settings=settings, env={"QT_FONT_DPI": dpi})
                self.assertEqual(app.close(), 0, app.output())
                self.assertEqual(app.read_settings(), settings)

    def test_sigterm_saves_as_a_close_does(self):
        app = self.start(settings="[MainForm]\nStartForm=2\n")
        desk.press(desk.find_accessible(self.accessible(app), "menu item", "Alarm"))
        desk.wait_until(lambda: desk.window_name(app.window) == "Alarm", what="Alarm mode")
        self.assertEqual(app.terminate(), 0, app.output())
        text = app.read_settings()
        self.assertEqual(ini_value(text, "MainForm", "StartForm"), "1", text)
        # Exactly once: the key appears a single time.
        self.assertEqual(len(re.findall(r"(?im)^StartForm=", text)), 1, text)

    def test_font_is_restored_and_sizes_the_window(self):
        small = self.start(settings="[MainForm]\nFontName=DejaVu Sans\nFontSize=9\n")
        _, _, w9, h9 = self.outer_geometry(small.window)
        self.assertEqual(small.close(), 0, small.output())
        large = self.start(settings="[MainForm]\nFontName=DejaVu Sans\nFontSize=20\n"
                                    "FontBold=-1\n")
        _, _, w20, h20 = self.outer_geometry(large.window)
        self.assertGreater(w20, w9)
        self.assertGreater(h20, h9)
        self.assertEqual(large.close(), 0, large.output())
        text = large.read_settings()
        self.assertEqual(ini_value(text, "MainForm", "FontSize"), "20", text)
        self.assertEqual(ini_value(text, "MainForm", "FontBold"), "-1", text)

    def test_a_position_off_every_screen_comes_back(self):
        app = self.start(settings="[MainForm]\nLeft=-2000000\nTop=3000000\n")
        x, y, w, h = self.outer_geometry(app.window)
        width, height = desk.screen_size()
        self.assertGreaterEqual(x, 0)
        self.assertLessEqual(x + w, width)
        self.assertGreaterEqual(y + h, 50)
        self.assertLessEqual(y + h, height)
        self.assertEqual(app.close(), 0, app.output())


if __name__ == "__main__":
    unittest.main()
