"""The real program starts, shows its window in the session and ends cleanly when the
window is closed the way the user closes it."""

import unittest

import desk


class StartAndCloseTest(unittest.TestCase):
    def test_window_appears_and_closing_ends_the_program(self):
        with desk.Program() as app:
            win = app.wait_window(cls="plimset")
            self.assertIn(win, desk.client_list())
            # The title is the mode's name; without settings the program starts counting down.
            self.assertEqual(desk.window_name(win), "CountDown")
            # Reachable through the accessibility bus, as the other desktop tests need.
            self.assertIsNotNone(
                desk.find_accessible(desk.atspi_application("plimset"), role="frame"))
            g = desk.geometry(win)
            self.assertGreater(g["width"], 0)
            self.assertGreater(g["height"], 0)
            self.assertEqual(app.close(), 0, app.output())


if __name__ == "__main__":
    unittest.main()
