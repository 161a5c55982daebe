# The sound path attacked on purpose: an audio server that hangs or dies, a file longer than
# any buffer. (A sound file whose open blocks, and no sound module, are held by the unit
# tests SoundThreadTest and SoundFileSourceTest.) Sound may be lost; the window
# must keep answering, the program must end on request, and the sound must come back.

import ctypes
import os
import signal
import subprocess
import time
import unittest

import desk
from test_alerts import WINDOW, stretches, tone_file

# Seconds for a round trip through the window's event loop: generous for a busy machine, far
# short of the seconds that a loop waiting on the hung server would take.
ANSWER_LIMIT = 1.0
SERVERS = []  # audio servers started again; the session ends them with everything else


def audio_server_pid():
    # The session's own audio server: the pulseaudio run on the session's script.
    script = os.path.join(desk.session_dir(), "pulse", "session.pa").encode()
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                args = f.read().split(b"\0")
        except OSError:
            continue
        if os.path.basename(args[0]) == b"pulseaudio" and script in args:
            return int(entry)
    return None


def status(pid, field):
    with open("/proc/%d/status" % pid) as f:
        return int(next(line for line in f if line.startswith(field + ":")).split()[1])


class SoundPathTest(unittest.TestCase):
    def start(self, args, settings):
        app = desk.Program(args=args)
        with open(app.settings_path, "w", encoding="utf-8") as f:
            f.write("[Option]\n" + settings.replace("{tone}", tone_file(app.folder, 5)))
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        self.time_field = desk.find_accessible(
            desk.atspi_application(pid=app.process.pid), "text", "Time")
        return app

    def assert_answers_for(self, seconds):
        # The window's event loop answers accessibility queries at once all the while.
        slowest, deadline = 0.0, time.monotonic() + seconds
        while time.monotonic() < deadline:
            start = time.monotonic()
            desk.accessible_text(self.time_field)
            slowest = max(slowest, time.monotonic() - start)
            time.sleep(0.1)
        self.assertLess(slowest, ANSWER_LIMIT)

    def test_a_hung_audio_server_costs_only_the_sound(self):
        # Stopped before the first alert (with the beep), or while a file plays.
        cases = [("before the first alert", ["/C", "0:02"], "SoundFlag=0\nSoundBeep=2\n", 4),
                 ("during a play", ["/C", "0:01"], "SoundFile={tone}\n", 3)]
        for name, args, sound, wait_after in cases:
            with self.subTest(name):
                app = self.start(args, "RingDuration=0\n" + sound)
                if "SoundFile" in sound:
                    desk.wait_until(lambda: desk.sound_streams(app), what="the file playing")
                pid = audio_server_pid()
                os.kill(pid, signal.SIGSTOP)
                try:
                    self.assert_answers_for(wait_after)
                    start = time.monotonic()
                    self.assertEqual(app.terminate(timeout=5), 0, app.output())
                    self.assertLess(time.monotonic() - start, 1.0)
                finally:
                    os.kill(pid, signal.SIGCONT)

    def test_the_next_ring_is_heard_after_the_server_was_killed_and_restarted(self):
        app = self.start(["/C", "0:01"], "RingDuration=0\nMessageBox=0\nSoundFile={tone}\n")
        desk.wait_until(lambda: desk.sound_streams(app), what="the first ring")
        os.kill(audio_server_pid(), signal.SIGKILL)
        time.sleep(3)  # rings meet no server meanwhile
        SERVERS.append(subprocess.Popen(
            ["pulseaudio", "-n", "-F", os.path.join(desk.session_dir(), "pulse", "session.pa"),
             "--exit-idle-time=-1", "--daemonize=no", "--use-pid-file=no"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        desk.wait_until(lambda: subprocess.run(["pactl", "info"], capture_output=True)
                        .returncode == 0, what="the audio server back")
        with desk.SoundRecorder(keep_awake=True) as rec:
            desk.wait_until(lambda: desk.sound_streams(app), what="a ring on the new server")
            time.sleep(1)
        self.assertGreater(len(stretches(desk.sound_levels(rec.path, WINDOW), 0.1)), 0)
        self.assertEqual(app.close(), 0)


class LongFileTest(unittest.TestCase):
    def test_a_file_longer_than_five_minutes_plays_to_its_end_in_bounded_memory(self):
        app = desk.Program(args=["/C", "0:01"])
        part = lambda name: os.path.join(app.folder, name)  # noqa: E731
        # 303 s of silence, then a second of a tone: heard only if nothing is cut.
        desk.run("sox", "-n", "-r", "44100", "-c", "2", part("quiet.wav"), "trim", "0", "303")
        desk.run("sox", "-n", "-r", "44100", "-c", "2", part("tone.wav"),
                 "synth", "1", "sine", "440", "gain", "-6")
        desk.run("sox", part("quiet.wav"), part("tone.wav"), part("long.ogg"), timeout=300)
        with open(app.settings_path, "w", encoding="utf-8") as f:
            f.write("[Option]\nRingDuration=0\nMessageBox=0\nSoundUntilEnd=1\nSoundFile=%s\n"
                    % part("long.ogg"))
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        time.sleep(20)
        early = status(app.process.pid, "VmRSS")
        time.sleep(275)
        late = status(app.process.pid, "VmRSS")
        # The tone comes about 304 s after the window; a busy machine delays it further (a
        # decoder that falls behind is bridged with silence). Played to its end, it ends the
        # alert and the count is back at its duration.
        field = desk.find_accessible(desk.atspi_application(pid=app.process.pid), "text", "Time")
        with desk.SoundRecorder(keep_awake=True) as rec:
            desk.wait_until(lambda: desk.accessible_text(field) == "0:01", timeout=180,
                            interval=1, what="the alert played to its end")
            time.sleep(1.5)  # what the sink still holds
        self.assertGreater(desk.sound_rms(rec.path, bandpass_hz=440), 0.01)
        self.assertLess(late - early, 4096, (early, late))
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
