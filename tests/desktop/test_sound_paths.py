# A sound file longer than five minutes, played to its end in bounded memory (minutes of real
# time: a test of its own). The hung audio server: test_alerts.

import os
import time
import unittest

import desk
from test_alerts import LOUD, recording, sound_levels


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        return int(next(line for line in f if line.startswith("VmRSS:")).split()[1])


class LongFileTest(unittest.TestCase):
    def test_a_file_longer_than_five_minutes_plays_to_its_end_in_bounded_memory(self):
        app = desk.Program(args=["/C", "0:01"])
        part = lambda name: os.path.join(app.folder, name)  # noqa: E731
        # 303 s of silence, then a second of a tone: heard only if nothing is cut.
        desk.run("sox", "-n", "-r", "44100", "-c", "2", part("quiet.wav"), "trim", "0", "303")
        desk.run("sox", "-n", "-r", "44100", "-c", "2", part("tone.wav"), "synth", "1", "sine", "440", "gain", "-6")
        desk.run("sox", part("quiet.wav"), part("tone.wav"), part("long.ogg"), timeout=300)
        with open(app.settings_path, "w", encoding="utf-8") as f:
            f.write("[Option]\nRingDuration=0\nMessageBox=0\nSoundUntilEnd=1\nSoundFile=%s\n" % part("long.ogg"))
        desk.start_shown(self, app)
        time.sleep(20)
        early = resident_kb(app.process.pid)
        time.sleep(275)
        late = resident_kb(app.process.pid)
        # The tone comes about 304 s after the window; a busy machine delays it further (a
        # decoder that falls behind is bridged with silence). Played to its end, it ends the
        # alert and the count is back at its duration.
        field = desk.find_accessible(desk.atspi_application(pid=app.process.pid), "text", "Time")
        with recording() as path:
            desk.wait_until(lambda: desk.accessible_text(field) == "0:01", timeout=180,
                            interval=1, what="the alert played to its end")
            time.sleep(1.5)  # what the sink still holds
        self.assertGreater(max(sound_levels(path)), LOUD)
        self.assertLess(late - early, 4096, (early, late))
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
