# The alert of the real program: what is heard through the session's audio server when a
# countdown ends, and the alert window that is seen, placed and stacked by the real window
# manager.

import os
import time
import unittest

import desk

WINDOW = 0.005  # seconds per level in the analysis
LOUD = 0.01     # a level above this is sound
# The program's pace: a tick every 200 ms, and a sound step (a beep or a replay of the
# file) every fifth tick. A tick may come late on a busy machine, and the sound server
# starts a play late by about as much again; measured times get a tick of leeway plus
# LOAD for that. Every bound stays well short of the next step, so a step missed or
# doubled still fails.
TICK, STEP, LOAD = 0.2, 1.0, 0.3
BEEP = 0.06  # seconds of tone in one beep of a row of three


def tone_file(folder, seconds=0.3):
    # A 440 Hz tone, short by default so that each ring of a looping file can be told apart.
    path = os.path.join(folder, "tone.wav")
    desk.run("sox", "-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth", seconds, "sine",
             "440", "gain", "-9")
    return path


def stretches(levels, min_gap):
    # (start, end) in seconds of each stretch of sound; quiet shorter than min_gap joins two.
    found = []
    for i, level in enumerate(levels):
        t = i * WINDOW
        if level <= LOUD:
            continue
        if found and t - found[-1][1] <= min_gap:
            found[-1][1] = t + WINDOW
        else:
            found.append([t, t + WINDOW])
    return found


def overlap(a, b):
    # The (width, height) two (x, y, width, height) rectangles share, or None.
    w = min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0])
    h = min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1])
    return (w, h) if w > 0 and h > 0 else None


class AlertTest(unittest.TestCase):
    def record(self, settings, seconds, sound_file=False):
        # Starts a one-second countdown and records what it sounds for `seconds`.
        app = desk.Program(args=["/C", "0:01"])
        if sound_file:
            settings += "SoundFile=%s\n" % tone_file(app.folder)
        with open(app.settings_path, "w", encoding="utf-8") as f:
            f.write("[Option]\nMessageBox=0\n" + settings)
        with desk.SoundRecorder(keep_awake=True) as rec:
            app.start()
            self.addCleanup(app.kill)
            app.wait_window()
            time.sleep(seconds)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")
        return desk.sound_levels(rec.path, WINDOW), rec.path

    def test_beeps_are_heard(self):
        levels, path = self.record("SoundFlag=0\nSoundBeep=3\nRingDuration=0.02\n", 6)
        # A row of three 60 ms beeps per ring, two rings in the two seconds of RingDuration,
        # or three when a late ring and the next on time both fall inside it. On a busy
        # machine the sound server breaks beeps into pieces and may play the first block of a
        # stream twice, so the beeps are counted by how long a tone sounds, a beep to spare.
        beeps = sum(WINDOW for level in levels if level > LOUD) / BEEP
        self.assertGreaterEqual(beeps, 2 * 3 - 1)
        self.assertLessEqual(beeps, 3 * 3 + 2)
        self.assertGreater(desk.sound_rms(path, bandpass_hz=1000), 0.01)

    def test_a_file_loops_for_the_ring_duration_then_falls_silent(self):
        ring = 5  # seconds of RingDuration
        levels, _ = self.record("RingDuration=0.0%d\n" % ring, 1 + ring + 4, sound_file=True)
        # A 0.3 s tone; a stutter of the player on a busy machine is not a new ring.
        sounds = stretches(levels, 0.25)
        # Replayed from its start at each step that finds it stopped. The first play may
        # start so late that the next step finds it still playing: the first gap may span
        # two steps, every later gap is one.
        starts = [s[0] for s in sounds]
        gaps = [b - a for a, b in zip(starts, starts[1:])]
        self.assertGreaterEqual(len(gaps), ring - 2, sounds)
        self.assertLess(gaps[0], 2 * STEP + TICK + LOAD, sounds)
        later = gaps[1:]
        self.assertAlmostEqual(sum(later) / len(later), STEP, delta=TICK + LOAD, msg=sounds)
        self.assertLess(max(later), 2 * STEP - TICK, sounds)
        # Rings only for RingDuration, then nothing more for the rest of the recording.
        self.assertLess(starts[-1] - starts[0], ring + TICK + LOAD, sounds)
        self.assertLess(sounds[-1][1], len(levels) * WINDOW - 2 * STEP, sounds)

    def test_the_alert_window_comes_above_and_beside_the_window_and_stops_it(self):
        settings = "[Option]\nSoundFlag=2\nRingDuration=0\nDisplayDuration=0\n"
        for on_top in ("", "[MainForm]\nAlwaysOnTop=1\n"):
            with self.subTest(on_top=on_top):
                # Fresh places: the main window stands where the centred alert would be.
                app = desk.start_shown(self, desk.Program(args=["/C", "0:02"],
                                                          settings=settings + on_top))
                # A minimized window comes back when the alert starts.
                desk.minimize(app.window)
                desk.wait_until(lambda: desk.iconic(app.window), what="minimized")
                desk.wait_until(lambda: desk.shown(app.window), what="the window back")
                form3 = desk.wait_until(app.other_window, what="the alert window")
                # No title, icon, minimize or taskbar button; for a screen reader the alert.
                self.assertIn(form3, desk.client_list())
                self.assertNotIn(form3, desk.taskbar_windows())
                # Above every ordinary window, not only its own main window.
                self.assertLessEqual({"_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE"},
                                     desk.window_state(form3))
                for name in ("_NET_WM_NAME", "WM_NAME"):
                    self.assertIn(desk.text_property(form3, name), (None, ""))
                self.assertNotIn("_NET_WM_ICON(", desk.run("xprop", "-id", hex(form3)))
                self.assertFalse(desk.minimize_offered(form3))
                extents = desk.frame_extents(form3)
                self.assertTrue(extents is None or extents[2] <= extents[0] + 1, extents)
                acc = desk.atspi_application(pid=app.process.pid)
                self.assertEqual(desk.find_accessible(acc, "alert").name,
                                 "The countdown ended.\nClick on the stop button.")
                # Beside the main window, whole on the screen.
                alert = desk.wait_until(lambda: not overlap(
                    desk.outer_geometry(form3), desk.outer_geometry(app.window)) and
                    desk.outer_geometry(form3), what="the alert beside the main window")
                self.assertEqual(overlap(alert, (0, 0) + desk.screen_size()), alert[2:])
                # Above the main window, also when the user puts that over it and raises it.
                self.assert_above(app, form3)
                desk.run("xdotool", "windowmove", app.window, alert[0], alert[1])
                desk.activate(app.window)
                desk.run("xdotool", "windowraise", app.window)
                self.assert_above(app, form3)
                desk.run("xdotool", "windowmove", app.window, 0, 0)
                desk.wait_until(lambda: not overlap(desk.outer_geometry(form3),
                                                    desk.outer_geometry(app.window)),
                                what="the stop button free")
                box = desk.find_accessible(acc, "push button", "Stop").queryComponent()
                box = box.getExtents(0)
                desk.run("xdotool", "mousemove", box.x + box.width // 2,
                         box.y + box.height // 2, "click", "1")
                desk.wait_until(lambda: desk.map_state(form3) != "IsViewable",
                                what="the alert to go")
                field = desk.find_accessible(acc, "text", "Time")
                desk.wait_until(lambda: desk.accessible_text(field) == "0:02",
                                what="the countdown stopped and reloaded")
                self.assertEqual(app.close(), 0)

    def assert_above(self, app, form3, seconds=1.5):
        # Samples the stacking order for a while: the alert window stays above the main
        # window through the alert steps that raise the main window.
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            order = desk.client_list("_STACKING")
            self.assertGreater(order.index(form3), order.index(app.window), order)
            time.sleep(0.1)


if __name__ == "__main__":
    unittest.main()
