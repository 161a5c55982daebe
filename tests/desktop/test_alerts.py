"""The alert of the real program: what is heard through the session's audio server when a
countdown ends or an alarm comes due, and the alert window that is seen."""

import os
import struct
import subprocess
import time
import unittest
import wave

import desk

ALARM_SOUND = "/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga"
WINDOW = 0.005  # seconds per level in the analysis
LOUD = 0.01     # a level above this is sound
SERVERS = []    # audio servers started again by a test


def tone_file(folder, seconds=0.3, hz=440):
    """A short WAV tone, so that each ring of a looping file can be told apart."""
    path = os.path.join(folder, "tone.wav")
    rate = 44100
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", int(12000 * __import__("math").sin(
            2 * 3.141592653589793 * hz * i / rate))) for i in range(int(seconds * rate))))
    return path


def stretches(levels, min_gap):
    """(start, end) in seconds of each stretch of sound; quiet shorter than min_gap joins
    two stretches."""
    found = []
    for i, level in enumerate(levels):
        if level <= LOUD:
            continue
        t = i * WINDOW
        if found and t - found[-1][1] <= min_gap:
            found[-1][1] = t + WINDOW
        else:
            found.append([t, t + WINDOW])
    return found


class AlertTest(unittest.TestCase):
    def start(self, args, settings, sound_file=None):
        app = desk.Program(args=args)
        if sound_file:
            settings += "SoundFile=%s\n" % tone_file(app.folder)
        with open(app.settings_path, "w", encoding="utf-8") as f:
            f.write("[Option]\n" + settings)
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        return app

    def record(self, args, settings, seconds, sound_file=False):
        """Starts the program and records what it sounds for `seconds`; returns the app and
        the stretches of sound (min_gap 20 ms)."""
        with desk.SoundRecorder(keep_awake=True) as rec:
            app = self.start(args, settings, sound_file)
            time.sleep(seconds)
        return app, rec.path

    def test_a_countdown_end_is_heard(self):
        cases = [
            ("default sound file", "RingDuration=0.02\nMessageBox=0\n"),
            ("beep", "SoundFlag=0\nSoundBeep=3\nRingDuration=0.02\nMessageBox=0\n"),
            ("nothing", "SoundFlag=2\nRingDuration=0.02\nMessageBox=0\n"),
        ]
        for name, settings in cases:
            with self.subTest(name):
                app, path = self.record(["/C", "0:01"], settings, 6)
                levels = desk.sound_levels(path, WINDOW)
                self.assertEqual(app.close(), 0)
                self.assertEqual(app.output(), "")
                if name == "nothing":
                    self.assertLess(max(levels, default=0), 0.001)
                    continue
                sounds = stretches(levels, 0.02)
                self.assertTrue(sounds, "nothing heard")
                if name == "beep":
                    # One row of three distinct beeps per ring, once a second for the two
                    # seconds of RingDuration: two rings, or three when the step at the
                    # second mark still falls within the duration (the end is inclusive
                    # and the tick is 200 ms). The monitor records no real time (silence
                    # may be left out), a click of a few milliseconds is no beep, and on a
                    # busy machine the start of the first stream may come through twice.
                    beeps = [s for s in sounds if s[1] - s[0] >= 0.025]
                    self.assertIn(len(beeps), (6, 7, 9, 10), beeps)
                    self.assertGreater(desk.sound_rms(path, bandpass_hz=1000), 0.01)

    def test_a_file_loops_for_the_ring_duration_then_falls_silent(self):
        app, path = self.record(["/C", "0:01"], "RingDuration=0.04\nMessageBox=0\n", 9,
                                sound_file=True)
        sounds = stretches(desk.sound_levels(path, WINDOW), 0.1)
        app.close()
        # Replayed from its start each second it is found stopped, for the four seconds of
        # RingDuration (the first ring may be found still playing on a slow start, and the
        # step at the fourth second may still fall within the duration); then nothing more.
        self.assertGreaterEqual(len(sounds), 3, sounds)
        self.assertLessEqual(len(sounds), 5, sounds)
        starts = [s[0] for s in sounds]
        for a, b in zip(starts, starts[1:]):
            self.assertAlmostEqual(b - a, round(b - a), delta=0.25, msg=sounds)
        self.assertLess(starts[-1] - starts[0], 4.3, sounds)
        self.assertLess(sounds[-1][1], 9 - 1.5, sounds)

    def test_until_end_plays_once_and_ends_the_alert(self):
        app, path = self.record(["/C", "0:01"],
                                "RingDuration=0.05\nMessageBox=0\nSoundUntilEnd=1\n", 5,
                                sound_file=True)
        sounds = stretches(desk.sound_levels(path, WINDOW), 0.1)
        self.assertEqual(len(sounds), 1, sounds)
        # The countdown stopped and is back at its duration.
        acc = desk.atspi_application()
        self.assertEqual(desk.accessible_text(desk.find_accessible(acc, "text", "Time")), "0:01")
        app.close()

    def test_alert_window_shows_the_lines_centred_and_goes(self):
        screen_w, screen_h = desk.screen_size()
        cases = [
            ("countdown", ["/C", "0:01"], "", "The countdown ended.\nClick on the stop button.",
             1),
            ("twice the size", ["/C", "0:01"], "MessageBoxSize=4\n",
             "The countdown ended.\nClick on the stop button.", 2),
            ("alarm in Japanese", ["/A", None], "Language=2\n", "設定した時間になりました。", 1),
        ]
        for name, args, settings, message, scale in cases:
            with self.subTest(name):
                if args[0] == "/A":
                    # The current minute, not in its last seconds, which could pass before
                    # the program has started.
                    if time.localtime().tm_sec >= 50:
                        time.sleep(61 - time.localtime().tm_sec)
                    t = time.localtime()
                    args = ["/A", "%d:%02d" % (t.tm_hour, t.tm_min)]
                app = self.start(args, "SoundFlag=2\nRingDuration=0.01\nDisplayDuration=0.03\n" +
                                 settings)
                acc = desk.atspi_application()
                alert = desk.find_accessible(acc, "alert", timeout=8)
                self.assertEqual(alert.name, message)
                form3 = desk.wait_until(lambda: next(
                    (w for w in app.windows() if w != app.window and
                     desk.map_state(w) == "IsViewable"), None), what="the alert window")
                g = desk.geometry(form3)
                self.assertAlmostEqual(g["width"], 201 * scale, delta=2)
                self.assertAlmostEqual(g["height"], 78 * scale, delta=2)
                self.assertAlmostEqual(g["x"] + g["width"] / 2, screen_w / 2, delta=20)
                self.assertAlmostEqual(g["y"] + g["height"] / 2, screen_h / 2, delta=20)
                # Gone once the display time (3 s) is over.
                desk.wait_until(lambda: desk.map_state(form3) != "IsViewable", timeout=5,
                                what="the alert window to go")
                app.close()

    def test_the_audio_server_going_away_and_back_ends_nothing(self):
        # Rings without a time limit; the server goes while the file plays.
        app = self.start(["/C", "0:01"], "RingDuration=0\nMessageBox=0\n", sound_file=True)
        time.sleep(2.5)
        desk.run("pactl", "exit")
        time.sleep(1.5)
        session = desk.session_dir()
        server = subprocess.Popen(
            ["pulseaudio", "-n", "-F", os.path.join(session, "pulse", "session.pa"),
             "--exit-idle-time=-1", "--daemonize=no", "--use-pid-file=no"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The session ends the new server with everything else it started.
        SERVERS.append(server)
        desk.wait_until(lambda: subprocess.run(["pactl", "info"], capture_output=True)
                        .returncode == 0, what="the audio server back")
        # The next rings try again and are heard; the program and its count go on.
        with desk.SoundRecorder(keep_awake=True) as rec:
            time.sleep(4)
        self.assertIsNone(app.process.poll(), app.output())
        self.assertGreater(len(stretches(desk.sound_levels(rec.path, WINDOW), 0.1)), 0)
        self.assertEqual(app.close(), 0)

    def test_a_minimized_window_comes_back_when_the_alert_starts(self):
        app = self.start(["/C", "0:02"], "SoundFlag=2\nMessageBox=0\n")
        desk.minimize(app.window)
        desk.wait_until(lambda: desk.wm_hints_iconic(app.window), what="minimized")
        desk.wait_until(lambda: not desk.wm_hints_iconic(app.window) and
                        desk.map_state(app.window) == "IsViewable", timeout=6,
                        what="the window back")
        app.close()


if __name__ == "__main__":
    unittest.main()
