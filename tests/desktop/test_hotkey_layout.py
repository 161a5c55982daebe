"""The X11 hotkey follows the keyboard layout: after `setxkbmap de` (or a switch to another
layout of the keymap) the combination sits on the key that now gives its letter, and the
key that gave it before does nothing."""

import os
import unittest

import desk

HOTKEY = "Hotkey=689\n"  # Ctrl + Shift + Y; a German keyboard swaps Y and Z


class HotkeyLayoutTest(unittest.TestCase):
    def setUp(self):
        self.other = desk.Program(os.environ["PLIMSET_SERVICES_PROBE"], lines=True).start()
        self.addCleanup(self.other.kill)
        self.other.wait_window()
        self.addCleanup(desk.run, "setxkbmap", "-layout", "us", check=False)
        self.app = desk.start_shown(
            self, desk.Program(settings="[Option]\nTaskTray=1\nTaskBar=0\n" + HOTKEY))

    def press(self, letter):
        desk.press_keys("ctrl+shift+" + letter, window=self.other.window, clear_modifiers=False)

    def shown(self):
        return desk.map_state(self.app.window) == "IsViewable"

    def assert_toggles(self, letter):
        self.press(letter)
        desk.wait_until(lambda: not self.shown(), what="hidden by ctrl+shift+" + letter)
        self.press(letter)
        desk.wait_until(self.shown, what="shown by ctrl+shift+" + letter)

    def assert_toggles_once_grabbed_again(self, letter):
        """After a layout change: the combination hides the window once the program has
        grabbed it on its new key (a press before that reaches the focused window), then
        shows it again."""
        def hides():
            self.press(letter)
            desk.settle(0.3)
            return not self.shown()
        desk.wait_until(hides, what="hidden by ctrl+shift+" + letter + " on its new key")
        self.press(letter)
        desk.wait_until(self.shown, what="shown by ctrl+shift+" + letter)

    def assert_does_nothing(self, letter):
        self.press(letter)
        desk.settle(0.7)
        self.assertTrue(self.shown(), "ctrl+shift+%s toggled the window" % letter)

    def test_a_new_layout_moves_the_grab_to_the_key_that_gives_the_letter(self):
        self.assert_toggles("y")
        desk.run("setxkbmap", "-layout", "de")
        self.assert_toggles_once_grabbed_again("y")
        self.assert_does_nothing("z")  # the key that gave Y before
        desk.run("setxkbmap", "-layout", "us")
        self.assert_toggles_once_grabbed_again("y")
        self.assert_does_nothing("z")
        self.assertEqual(self.app.close(), 0)
        self.assertEqual(self.app.output(), "")

    def test_a_switch_between_the_layouts_of_one_keymap_moves_the_grab(self):
        desk.run("setxkbmap", "-layout", "us,de", "-option", "", "-option", "grp:caps_toggle")
        desk.settle(0.5)
        self.assert_toggles("y")
        desk.press_keys("ISO_Next_Group", clear_modifiers=False)  # to the German layout
        self.assert_toggles_once_grabbed_again("y")
        self.assert_does_nothing("z")
        self.assertEqual(self.app.close(), 0)


if __name__ == "__main__":
    unittest.main()
