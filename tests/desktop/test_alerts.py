# The alert of the real program: what is heard through the session's audio server when a
# countdown ends, the alert window that is seen, placed and stacked by the real window
# manager, and an audio server that hangs: sound may be lost, but the window keeps answering
# and the program ends on request. (A sound file whose open blocks, no sound module, a long
# file and a server that dies: the unit tests SoundThreadTest, SoundFileSourceTest and
# SoundDevicesTest.)

import array
import contextlib
import math
import os
import re
import signal
import subprocess
import tempfile
import time
import unittest

import desk

WINDOW = 0.005  # seconds per level in the analysis
LOUD = 0.01     # a level above this is sound
BEEP = 0.06  # seconds of tone in one beep of a row of three


def tone_file(folder, seconds=0.3):
    # A 440 Hz tone, short by default so that each ring of a looping file can be told apart.
    path = os.path.join(folder, "tone.wav")
    desk.run("sox", "-n", "-r", "44100", "-b", "16", "-c", "1", path, "synth", seconds, "sine",
             "440", "gain", "-9")
    return path


@contextlib.contextmanager
def recording():
    # Records what plays through the session's null sink into a mono 44.1 kHz WAV file while
    # the with-block runs, and yields its path. An idle null sink sleeps for up to two seconds
    # and records nothing meanwhile: a stream of silence keeps it running, in real time.
    path, sink = tempfile.mktemp(suffix=".wav", dir=desk.session_dir()), os.environ["PLIMSET_PULSE_SINK"]
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    keeper = subprocess.Popen(["pacat", "--raw", "--latency-msec=10", "--rate=44100", "--channels=1",
                               "--format=s16le", "/dev/zero"], **quiet)
    streams = lambda: len(desk.run("pactl", "list", "short", "source-outputs").splitlines())  # noqa: E731
    before = streams()
    parec = subprocess.Popen(["parec", "-d", sink + ".monitor", "--rate=44100", "--channels=1",
                              "--format=s16le", "--latency-msec=20", "--file-format=wav", path], **quiet)
    # Sound before parec's stream exists would be missed: wait for the stream, and for the
    # woken sink to have played out what it rendered ahead while idle (which the monitor
    # would otherwise deliver late, and the recording's end cut off).
    desk.wait_until(lambda: streams() > before, what="the recording stream")
    desk.wait_until(lambda: sink_latency(sink) < 0.2, what="the sink caught up")
    time.sleep(0.1)
    try:
        yield path
    finally:
        time.sleep(0.2)
        parec.send_signal(signal.SIGINT)  # SIGTERM would lose what parec still holds
        keeper.terminate()
        parec.wait(desk.DEFAULT_TIMEOUT), keeper.wait(desk.DEFAULT_TIMEOUT)


def sink_latency(sink):
    # The sink's latency in seconds while it runs, else infinity.
    for block in desk.run("pactl", "list", "sinks").split("Sink #")[1:]:
        found = re.search(r"Latency: (\d+) usec", block)
        if "Name: %s\n" % sink in block and "State: RUNNING" in block and found:
            return int(found.group(1)) / 1e6
    return math.inf


def sound_levels(path):
    # The RMS amplitude (0 to 1) of each WINDOW of a recording, in order.
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1", "-r", "44100", "-"],
                         capture_output=True, timeout=desk.DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL).stdout
    samples, size = array.array("h", raw[:len(raw) // 2 * 2]), int(44100 * WINDOW)
    return [math.sqrt(sum(v * v for v in samples[i:i + size]) / size) / 32768.0
            for i in range(0, len(samples) - size + 1, size)]


def sound_streams(program):
    # How many streams the program plays into the session's audio server now (a corked
    # stream plays nothing).
    return sum('application.process.id = "%d"' % program.process.pid in block and "Corked: no" in block
               for block in desk.run("pactl", "list", "sink-inputs", check=False).split("Sink Input #"))


def overlap(a, b):
    # The (width, height) two (x, y, width, height) rectangles share, or None.
    w = min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0])
    h = min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1])
    return (w, h) if w > 0 and h > 0 else None


class AlertTest(unittest.TestCase):
    def test_beeps_are_heard(self):
        # A one-second countdown, recorded for six seconds.
        app = desk.Program(args=["/C", "0:01"],
                           settings="[Option]\nMessageBox=0\nSoundFlag=0\nSoundBeep=3\nRingDuration=0.02\n")
        with recording() as path:
            desk.start_shown(self, app)
            time.sleep(6)
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")
        levels = sound_levels(path)
        # A row of three 60 ms beeps per ring, two rings in the two seconds of RingDuration,
        # or three when a late ring and the next on time both fall inside it. On a busy
        # machine the sound server breaks beeps into pieces and may play the first block of a
        # stream twice, so the beeps are counted by how long a tone sounds, a beep to spare.
        beeps = sum(WINDOW for level in levels if level > LOUD) / BEEP
        self.assertGreaterEqual(beeps, 2 * 3 - 1)
        self.assertLessEqual(beeps, 3 * 3 + 2)

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
                # No title, icon, minimize or taskbar button.
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


    def test_a_hung_audio_server_costs_only_the_sound(self):
        # Stopped before the first alert (with the beep), or while a file plays.
        for args, sound in ((["/C", "0:02"], "SoundFlag=0\nSoundBeep=2\n"),
                            (["/C", "0:01"], "SoundFile=%s\n")):
            with self.subTest(sound):
                app = desk.Program(args=args)
                with open(app.settings_path, "w", encoding="utf-8") as f:
                    f.write("[Option]\nRingDuration=0\n" + sound.replace("%s", tone_file(app.folder, 5)))
                desk.start_shown(self, app)
                field = desk.find_accessible(desk.atspi_application(pid=app.process.pid), "text", "Time")
                if "SoundFile" in sound:
                    desk.wait_until(lambda: sound_streams(app), what="the file playing")
                pid = int(desk.run("pgrep", "-f", os.path.join(desk.session_dir(), "pulse", "session.pa")).split()[0])
                os.kill(pid, signal.SIGSTOP)
                try:
                    # The window's event loop answers accessibility queries at once all the
                    # while: far short of the seconds a loop waiting on the server would take.
                    slowest, deadline = 0.0, time.monotonic() + 4
                    while time.monotonic() < deadline:
                        start = time.monotonic()
                        desk.accessible_text(field)
                        slowest = max(slowest, time.monotonic() - start)
                        time.sleep(0.1)
                    self.assertLess(slowest, 1.0)
                    start = time.monotonic()
                    self.assertEqual(app.terminate(timeout=5), 0, app.output())
                    self.assertLess(time.monotonic() - start, 1.0)
                finally:
                    os.kill(pid, signal.SIGCONT)


if __name__ == "__main__":
    unittest.main()
