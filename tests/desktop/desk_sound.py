# Sound in the private desktop session: what plays through its null sink, recorded and
# measured (with parec, pactl and sox). The desk module offers these under its own name.

import array
import math
import os
import re
import signal
import subprocess
import tempfile
import time

import desk


class SoundRecorder:
    # Records what plays through the session's null sink into a mono 44.1 kHz WAV file
    # (`path`) while the with-block runs. Capture is not sample-exact: assert energy
    # (sound_rms), not duration.

    def __init__(self, keep_awake=False):
        self.path = tempfile.mktemp(suffix=".wav", dir=desk.session_dir())
        self.keep_awake = keep_awake
        self.keeper = None

    def __enter__(self):
        sink = os.environ.get("PLIMSET_PULSE_SINK", "plimset_sink")
        if self.keep_awake:
            # An idle null sink sleeps for up to two seconds and records nothing meanwhile;
            # a stream of silence keeps it running, so the recording keeps real time.
            self.keeper = subprocess.Popen(
                ["pacat", "--raw", "--latency-msec=10", "--rate=44100", "--channels=1",
                 "--format=s16le", "/dev/zero"],
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        before = _recording_streams()
        self.process = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--rate=44100", "--channels=1",
             "--format=s16le", "--latency-msec=20", "--file-format=wav", self.path],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Sound before parec's stream exists would be missed: wait for the stream, and for
        # a woken sink to have played out the seconds it rendered ahead while idle, which
        # the monitor would otherwise deliver late and the recording's end cut off.
        desk.wait_until(lambda: _recording_streams() > before, what="the recording stream")
        if self.keep_awake:
            desk.wait_until(lambda: _sink_latency(sink) < 0.2, what="the sink caught up")
        time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        time.sleep(0.2)
        # SIGINT lets parec write out what it still holds; SIGTERM loses the last part.
        self.process.send_signal(signal.SIGINT)
        self.process.wait(desk.DEFAULT_TIMEOUT)
        if self.keeper:
            self.keeper.terminate()
            self.keeper.wait(desk.DEFAULT_TIMEOUT)
        return False


def sound_streams(program):
    # How many streams the program plays into the session's audio server now (a corked
    # stream plays nothing).
    text = desk.run("pactl", "list", "sink-inputs", check=False)
    return sum(1 for block in text.split("Sink Input #")
               if 'application.process.id = "%d"' % program.process.pid in block
               and "Corked: no" in block)


def _sink_latency(sink):
    # The sink's latency in seconds while it runs, else infinity.
    for block in desk.run("pactl", "list", "sinks").split("Sink #")[1:]:
        if "Name: %s\n" % sink in block and "State: RUNNING" in block:
            found = re.search(r"Latency: (\d+) usec", block)
            if found:
                return int(found.group(1)) / 1e6
    return math.inf


def _recording_streams():
    return len(desk.run("pactl", "list", "short", "source-outputs").splitlines())


def sound_levels(path, window=0.005):
    # The RMS amplitude (0 to 1) of each window (seconds) of a recording, in order.
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1",
                          "-r", "44100", "-"], capture_output=True, timeout=desk.DEFAULT_TIMEOUT,
                         stdin=subprocess.DEVNULL).stdout
    samples = array.array("h", raw[:len(raw) // 2 * 2])
    size = max(1, int(44100 * window))
    return [math.sqrt(sum(v * v for v in samples[i:i + size]) / size) / 32768.0
            for i in range(0, len(samples) - size + 1, size)]


def sound_rms(path, bandpass_hz=None):
    # The RMS amplitude (0 to 1) of a recording, optionally of a 100 Hz band around a
    # frequency only.
    effects = ["bandpass", str(bandpass_hz), "100h"] if bandpass_hz else []
    stats = subprocess.run(["sox", path, "-n"] + effects + ["stat"], capture_output=True,
                           text=True, timeout=desk.DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL).stderr
    if re.search(r"Samples read:\s*0\s*$", stats, re.M):
        return 0.0  # an idle sink sends nothing at all
    m = re.search(r"RMS\s+amplitude:\s*([0-9.]+(?:[eE][-+]?\d+)?)", stats)
    if not m:
        raise RuntimeError("sox could not read %s: %s" % (path, stats.strip()))
    return float(m.group(1))
