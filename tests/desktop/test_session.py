"""The desktop session itself: what the other desktop tests rely on is there and works."""

import os
import unittest

import desk


class SessionTest(unittest.TestCase):
    def test_window_manager_panel_and_buses_are_up(self):
        self.assertIn("window id", desk.root_property("_NET_SUPPORTING_WM_CHECK"))
        # The panel's own window is not a task of itself.
        self.assertEqual(desk.taskbar_windows(), [])
        address = desk.run("dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply",
                           "/org/a11y/bus", "org.a11y.Bus.GetAddress")
        self.assertIn(desk.session_dir(), address)
        self.assertEqual(os.environ["HOME"], os.path.join(desk.session_dir(), "home"))

    def test_sound_played_is_recorded_and_silence_is_not(self):
        tone = os.path.join(desk.session_dir(), "tone.wav")
        desk.run("sox", "-n", "-r", "44100", "-c", "1", tone, "synth", "0.5", "sine", "880")
        with desk.SoundRecorder() as loud:
            desk.run("paplay", tone)
        with desk.SoundRecorder() as quiet:
            desk.settle(0.5)
        self.assertGreater(desk.sound_rms(loud.path, bandpass_hz=880), 0.05)
        self.assertLess(desk.sound_rms(quiet.path), 0.001)


if __name__ == "__main__":
    unittest.main()
