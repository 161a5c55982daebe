"""The alert of the real program: what is heard through the session's audio server when a
countdown ends or an alarm comes due, and the alert window that is seen."""

import os
import struct
import time
import unittest
import wave

import desk

ALARM_SOUND = "/usr/share/sounds/freedesktop/stereo/alarm-clock-elapsed.oga"
WINDOW = 0.005  # seconds per level in the analysis
LOUD = 0.01     # a level above this is sound
# The program's pace: a tick every 200 ms, and a sound step (a beep or a replay of the
# file) every fifth tick. A tick may come late on a busy machine, and the sound server
# starts a play late by about as much again; measured times get a tick of leeway plus
# LOAD for that. Every bound stays well short of the next step, so a step missed or
# doubled still fails.
TICK = 0.2
STEP = 1.0
LOAD = 0.3
BEEP = 0.06  # seconds of tone in one beep of a row of three
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


def outer_geometry(wid):
    """(x, y, width, height) of a window with the frame the window manager gives it."""
    g = desk.geometry(wid)
    left, right, top, bottom = desk.frame_extents(wid) or (0, 0, 0, 0)
    return (g["x"] - left, g["y"] - top, g["width"] + left + right, g["height"] + top + bottom)


def overlap(a, b):
    """The (width, height) two (x, y, width, height) rectangles share, or None."""
    w = min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0])
    h = min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1])
    return (w, h) if w > 0 and h > 0 else None


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
        # The first play of a file may start a second or two late on a busy machine (the
        # media back end starts); five seconds of RingDuration leave room for that.
        cases = [
            ("default sound file", "RingDuration=0.05\nMessageBox=0\n", 8),
            ("beep", "SoundFlag=0\nSoundBeep=3\nRingDuration=0.02\nMessageBox=0\n", 6),
            ("nothing", "SoundFlag=2\nRingDuration=0.02\nMessageBox=0\n", 6),
        ]
        for name, settings, seconds in cases:
            with self.subTest(name):
                app, path = self.record(["/C", "0:01"], settings, seconds)
                levels = desk.sound_levels(path, WINDOW)
                self.assertEqual(app.close(), 0)
                self.assertEqual(app.output(), "")
                if name == "nothing":
                    self.assertLess(max(levels, default=0), 0.001)
                    continue
                self.assertTrue(stretches(levels, 0.02), "nothing heard")
                if name == "beep":
                    # A row of three 60 ms beeps per ring, two rings in the two seconds of
                    # RingDuration, or three when a late ring and the next on time both
                    # fall inside it. On a busy machine the sound server breaks beeps into
                    # pieces and may play the first block of a stream twice, so the beeps
                    # are counted by how long a tone sounds, with a beep to spare.
                    beeps = sum(WINDOW for level in levels if level > LOUD) / BEEP
                    self.assertGreaterEqual(beeps, 2 * 3 - 1)
                    self.assertLessEqual(beeps, 3 * 3 + 2)
                    self.assertGreater(desk.sound_rms(path, bandpass_hz=1000), 0.01)

    def test_a_file_loops_for_the_ring_duration_then_falls_silent(self):
        ring = 5  # seconds of RingDuration
        app, path = self.record(["/C", "0:01"], "RingDuration=0.0%d\nMessageBox=0\n" % ring,
                                1 + ring + 4, sound_file=True)
        levels = desk.sound_levels(path, WINDOW)
        # A 0.3 s tone; a stutter of the player on a busy machine is not a new ring.
        sounds = stretches(levels, 0.25)
        app.close()
        # Replayed from its start at each step that finds it stopped. The first play may
        # start so late that the next step finds it still playing: the first gap may
        # span two steps, every later gap is one.
        starts = [s[0] for s in sounds]
        gaps = [b - a for a, b in zip(starts, starts[1:])]
        self.assertGreaterEqual(len(gaps), ring - 2, sounds)
        self.assertLess(gaps[0], 2 * STEP + TICK + LOAD, sounds)
        later = gaps[1:]
        self.assertAlmostEqual(sum(later) / len(later), STEP, delta=TICK + LOAD, msg=sounds)
        for gap in later:
            self.assertLess(gap, 2 * STEP - TICK, sounds)
        # Rings only for RingDuration, then nothing more for the rest of the recording.
        self.assertLess(starts[-1] - starts[0], ring + TICK + LOAD, sounds)
        self.assertLess(sounds[-1][1], len(levels) * WINDOW - 2 * STEP, sounds)

    def test_until_end_plays_once_and_ends_the_alert(self):
        app, path = self.record(["/C", "0:01"],
                                "RingDuration=0.05\nMessageBox=0\nSoundUntilEnd=1\n", 5,
                                sound_file=True)
        sounds = stretches(desk.sound_levels(path, WINDOW), 0.25)
        self.assertEqual(len(sounds), 1, sounds)
        # The countdown stopped and is back at its duration.
        field = desk.find_accessible(desk.atspi_application(), "text", "Time")
        desk.wait_until(lambda: desk.accessible_text(field) == "0:01",
                        what="the countdown back at its duration")
        app.close()

    def test_alert_window_shows_the_lines_centred_and_goes(self):
        screen_w, screen_h = desk.screen_size()
        # The main window in a corner, where the centred alert leaves it free.
        corner = "[MainForm]\nLeft=150\nTop=150\n"
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
                                 settings + corner)
                acc = desk.atspi_application()
                form3 = desk.wait_until(lambda: next(
                    (w for w in app.windows() if w != app.window and
                     desk.map_state(w) == "IsViewable"), None), timeout=15,
                    what="the alert window")
                seen = time.monotonic()
                alert = desk.find_accessible(acc, "alert")
                self.assertEqual(alert.name, message)
                g = desk.geometry(form3)
                self.assertAlmostEqual(g["width"], 201 * scale, delta=2)
                self.assertAlmostEqual(g["height"], 78 * scale, delta=2)
                self.assertAlmostEqual(g["x"] + g["width"] / 2, screen_w / 2, delta=20)
                self.assertAlmostEqual(g["y"] + g["height"] / 2, screen_h / 2, delta=20)
                # Gone once the display time (3 s) is over: measured from when it was seen,
                # not more than a tick and the load late, and not gone at once.
                display = 3
                desk.wait_until(lambda: desk.map_state(form3) != "IsViewable",
                                timeout=display + TICK + 2 * LOAD - (time.monotonic() - seen),
                                what="the alert window to go")
                self.assertGreater(time.monotonic() - seen, STEP, name)
                app.close()

    def test_the_alert_leaves_the_stop_button_free_to_click(self):
        # Fresh settings: the main window stands where the centred alert would be.
        app = desk.start_shown(self, desk.Program(args=["/C", "0:01"]))
        form3 = self.alert_window(app)
        desk.wait_until(lambda: not overlap(outer_geometry(form3), outer_geometry(app.window)),
                        what="the alert beside the main window")
        screen = (0, 0) + desk.screen_size()
        alert = outer_geometry(form3)
        self.assertEqual(overlap(alert, screen), alert[2:], (alert, screen))
        acc = desk.atspi_application()
        box = desk.find_accessible(acc, "push button", "Stop").queryComponent().getExtents(0)
        desk.run("xdotool", "mousemove", box.x + box.width // 2, box.y + box.height // 2,
                 "click", "1")
        desk.wait_until(lambda: desk.map_state(form3) != "IsViewable", what="the alert to go")
        field = desk.find_accessible(acc, "text", "Time")
        desk.wait_until(lambda: desk.accessible_text(field) == "0:01",
                        what="the countdown stopped and reloaded")
        app.close()

    def alert_window(self, app):
        desk.find_accessible(desk.atspi_application(), "alert", timeout=8)
        return desk.wait_until(lambda: next(
            (w for w in app.windows() if w != app.window and
             desk.map_state(w) == "IsViewable"), None), what="the alert window")

    def assert_alert_above_main(self, app, form3, seconds=1.5):
        """Samples the stacking order for a while: the alert window stays above the main
        window through the alert steps that raise the main window."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            order = desk.stacking_order()
            self.assertIn(form3, order)
            self.assertGreater(order.index(form3), order.index(app.window), order)
            time.sleep(0.1)

    def test_alert_window_stays_above_the_main_window(self):
        settings = "SoundFlag=2\nRingDuration=0\nDisplayDuration=0\n"
        for name, always_on_top in (("plain", ""), ("always on top", "[MainForm]\nAlwaysOnTop=1\n")):
            with self.subTest(name):
                app = self.start(["/C", "0:01"], settings + always_on_top)
                form3 = self.alert_window(app)
                self.assert_alert_above_main(app, form3)
                # The user puts the main window over the alert's place and brings it to
                # the front.
                g = desk.geometry(form3)
                desk.move(app.window, g["x"], g["y"])
                desk.activate(app.window)
                desk.raise_window(app.window)
                desk.settle(0.3)
                self.assert_alert_above_main(app, form3)
                self.assertEqual(desk.map_state(form3), "IsViewable")
                app.close()

    def test_alert_window_has_no_title_icon_or_taskbar_button(self):
        app = self.start(["/C", "0:01"], "SoundFlag=2\nRingDuration=0\nDisplayDuration=0\n")
        form3 = self.alert_window(app)
        self.assertIn(form3, desk.client_list())
        self.assertNotIn(form3, desk.taskbar_windows())
        self.assertIn("_NET_WM_STATE_SKIP_PAGER", desk.window_state(form3))
        self.assertIn(desk.text_property(form3, "_NET_WM_NAME"), (None, ""))
        self.assertIn(desk.text_property(form3, "WM_NAME"), (None, ""))
        self.assertFalse(desk.has_property(form3, "_NET_WM_ICON"))
        self.assertFalse(desk.minimize_offered(form3))
        # No title bar: the window manager draws no frame with a title.
        extents = desk.frame_extents(form3)
        self.assertTrue(extents is None or extents[2] <= extents[0] + 1, extents)
        # Still the alert for a screen reader, named by its message.
        alert = desk.find_accessible(desk.atspi_application(), "alert")
        self.assertEqual(alert.name, "The countdown ended.\nClick on the stop button.")
        app.close()

    def test_a_minimized_window_comes_back_when_the_alert_starts(self):
        app = self.start(["/C", "0:02"], "SoundFlag=2\nMessageBox=0\n")
        desk.minimize(app.window)
        desk.wait_until(lambda: desk.wm_hints_iconic(app.window), what="minimized")
        desk.wait_until(lambda: not desk.wm_hints_iconic(app.window) and
                        desk.map_state(app.window) == "IsViewable", what="the window back")
        app.close()


if __name__ == "__main__":
    unittest.main()
