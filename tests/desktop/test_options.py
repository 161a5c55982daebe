"""The Options dialog of the real program: opened from the menu, edited with the keyboard,
confirmed, cancelled; what it writes to the settings file and what the main window does
afterwards."""

import re
import time
import unittest

import desk


def option_lines(text):
    """The key lines of the [Option] section, in their order."""
    m = re.search(r"(?ms)^\[Option\]\s*$(.*?)(?=^\[|\Z)", text or "")
    return [line for line in (m.group(1).splitlines() if m else []) if "=" in line]


class OptionsDialogTest(unittest.TestCase):
    def start(self, settings=None, env=None):
        return desk.start_shown(self, desk.Program(settings=settings, env=env))

    def open_options(self, app):
        """Chooses Mode > Options... with the keyboard; returns the dialog's window."""
        desk.press_keys("alt+m", "o", window=app.window)
        return desk.wait_until(lambda: next(
            (w for w in app.windows() if w != app.window and desk.map_state(w) == "IsViewable"),
            None), what="the Options dialog")

    def dialog_gone(self, app, dialog):
        desk.wait_until(lambda: desk.map_state(dialog) != "IsViewable", what="dialog closed")

    def find(self, role=None, name=None):
        return desk.find_accessible(desk.atspi_application(), role, name)

    def test_a_changed_preset_and_sound_are_saved_alone_and_the_preset_menu_follows(self):
        app = self.start(settings="[Advanced]\nTimeSeparator=1\n")
        dialog = self.open_options(app)
        self.assertEqual(desk.window_name(dialog), "Options")
        # The focus starts in the first CountDown preset box.
        desk.replace_text("7x.05")
        field = self.find("text", "CountDown (min) or (min:sec) 1")
        desk.wait_until(lambda: desk.accessible_text(field) == "7:05", what="typed preset")
        desk.press(self.find("radio button", "System"))
        desk.press_keys("alt+o")  # OK
        question = desk.wait_until(lambda: next(
            (w for w in app.windows() if desk.window_name(w) == "Plimset"), None),
            what="the question")
        desk.press_keys("Return", window=question)  # Yes
        self.dialog_gone(app, dialog)
        self.assertEqual(option_lines(app.read_settings()),
                         ["CountDown1=7.05", "SoundFlag=0"])
        self.find("menu item", "7min 5sec")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_the_hotkey_box_takes_the_keys_own_digit_and_esc_cancels(self):
        app = self.start()
        dialog = self.open_options(app)
        box = self.find("text", "Hotkey")
        desk.focus(box)
        # Shift + 5 types "%" on this layout; the hotkey is the key 5 all the same.
        desk.press_keys("shift+alt+5")
        desk.wait_until(lambda: desk.accessible_text(box) == "Shift + Alt + 5",
                        what="captured hotkey")
        desk.press_keys("ctrl+shift+F5")
        desk.wait_until(lambda: desk.accessible_text(box) == "None", what="reverted hotkey")
        desk.press_keys("Escape", window=dialog)
        self.dialog_gone(app, dialog)
        self.assertIsNone(app.read_settings())
        self.assertEqual(app.close(), 0)

    def test_a_captured_hotkey_is_saved_and_works_at_once(self):
        app = self.start(settings="[Option]\nTaskBar=1\nHotkey=684\n")  # Ctrl + Shift + T
        dialog = self.open_options(app)
        box = self.find("text", "Hotkey")
        self.assertEqual(desk.accessible_text(box), "Ctrl + Shift + T")
        desk.focus(box)
        # The current combination is released while the dialog is open: the box gets it.
        desk.press_keys("ctrl+alt+5")
        desk.wait_until(lambda: desk.accessible_text(box) == "Ctrl + Alt + 5", what="capture")
        desk.press_keys("ctrl+shift+t")
        desk.wait_until(lambda: desk.accessible_text(box) == "Ctrl + Shift + T", what="capture")
        self.assertEqual(desk.map_state(app.window), "IsViewable")
        desk.press_keys("ctrl+shift+y")
        desk.wait_until(lambda: desk.accessible_text(box) == "Ctrl + Shift + Y", what="capture")
        # In the box Alt+O would be captured too: Tab leaves it first.
        desk.press_keys("Tab", "alt+o")
        question = desk.wait_until(lambda: next(
            (w for w in app.windows() if desk.window_name(w) == "Plimset"), None),
            what="the question")
        desk.press_keys("Return", window=question)
        self.dialog_gone(app, dialog)
        self.assertEqual(option_lines(app.read_settings()), ["TaskBar=1", "HotKey=689"])
        # The new combination minimizes the window from anywhere; the old one is free.
        desk.press_keys("ctrl+shift+y")
        desk.wait_until(lambda: desk.wm_hints_iconic(app.window), what="minimized")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_test_play_is_heard_and_stops(self):
        sound = "/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga"
        app = self.start(settings="[Option]\nSoundFlag=1\nSoundFile=%s\n" % sound)
        dialog = self.open_options(app)
        with desk.SoundRecorder(keep_awake=True) as playing:
            desk.press(self.find("push button", "Test play"))
            stop = self.find("push button", "Stop test play")
            desk.wait_until(lambda: desk.sound_streams(app), what="the test play's sound")
            # The file's first tone is at 0.2 to 0.8 s and its second from 1.5 s: 2.5 s hears
            # one of them even where a busy machine holds the first samples back.
            time.sleep(2.5)
        self.assertGreater(desk.sound_rms(playing.path), 0.01)
        desk.press(stop)
        self.find("push button", "Test play")
        desk.wait_until(lambda: not desk.sound_streams(app), what="the test play's sound gone")
        with desk.SoundRecorder(keep_awake=True) as stopped:
            time.sleep(1.5)
        self.assertLess(desk.sound_rms(stopped.path), 0.001)
        desk.press_keys("Escape", window=dialog)
        self.dialog_gone(app, dialog)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_esc_cancels_and_the_dialog_speaks_japanese(self):
        app = self.start(settings="[Option]\nLanguage=2\n")
        dialog = self.open_options(app)
        self.assertEqual(desk.window_name(dialog), "オプション")
        self.find("push button", "決定(O)")
        self.assertEqual(desk.accessible_text(self.find("text", "ホットキー")), "なし")
        # The question's own buttons speak Japanese too; No leaves the dialog open.
        desk.press_keys("alt+o", window=dialog)
        question = desk.wait_until(lambda: next(
            (w for w in app.windows() if desk.window_name(w) == "Plimset"), None),
            what="the question")
        self.find("push button", "はい(Y)")
        desk.press(self.find("push button", "いいえ(N)"))
        desk.wait_until(lambda: desk.map_state(question) != "IsViewable", what="no")
        desk.press_keys("Escape", window=dialog)
        self.dialog_gone(app, dialog)
        self.assertEqual(option_lines(app.read_settings()), ["Language=2"])
        self.assertEqual(app.close(), 0)

    def test_the_window_size_is_shown_and_applied_in_the_screens_pixels_at_120_dpi(self):
        app = self.start(env={"QT_FONT_DPI": "120"})

        def outer_size():
            g = desk.geometry(app.window)
            left, right, top, bottom = desk.frame_extents(app.window) or (0, 0, 0, 0)
            return g["width"] + left + right, g["height"] + top + bottom
        dialog = self.open_options(app)
        width, height = self.find("text", "Width"), self.find("text", "Height")
        self.assertEqual((int(desk.accessible_text(width)), int(desk.accessible_text(height))),
                         outer_size())
        desk.focus(width)
        desk.replace_text("301")
        desk.focus(height)
        desk.replace_text("101")
        desk.press(self.find("push button", "Reflect Window Size (Pixel)"))
        desk.wait_until(lambda: outer_size() == (301, 101), what="the size given")
        desk.press_keys("Escape", window=dialog)
        self.dialog_gone(app, dialog)
        self.assertEqual(app.close(), 0)

    def test_a_screen_reader_hears_the_captions_shown_and_can_change_the_source(self):
        import pyatspi
        app = self.start(settings="[Option]\nSoundFlag=1\n[Advanced]\nTimeSeparator=1\n")
        self.open_options(app)
        # Clock-style captions: the names a screen reader speaks say the same.
        self.find("label", "(min) or (min:sec) [0:Indefinite]")
        self.find("text", "CountDown (min) or (min:sec) 1")
        names = [a.name or "" for a in desk.find_accessibles(desk.atspi_application())]
        self.assertFalse([n for n in names if "min.sec" in n], names)

        # "System" chosen through its accessible action, without a click.
        file_controls = [self.find("text", "File"), self.find("push button", "Browse"),
                         self.find("push button", "Test play"),
                         self.find("check box", "Until end of play")]

        def enabled(acc):
            return acc.getState().contains(pyatspi.STATE_ENABLED)
        self.assertTrue(all(enabled(a) for a in file_controls))
        system = self.find("radio button", "System")
        actions = system.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        actions.doAction(names.index("Toggle") if "Toggle" in names else 0)
        desk.wait_until(lambda: system.getState().contains(pyatspi.STATE_CHECKED),
                        what="System checked")
        desk.wait_until(lambda: not any(enabled(a) for a in file_controls),
                        what="the file controls disabled")
        desk.press_keys("Escape")
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
