# The real program over hostile settings. Over paths that are not a plain settings file it
# starts, shows its window and ends on SIGTERM within seconds, and leaves what stands at the
# path, and the rest of its folder, as it was. Over files full of values nobody should write it
# starts with a sane window, and at exit every key it does not own is left byte for byte.

import fcntl
import hashlib
import os
import stat
import time
import unittest

import desk

# Every key of the settings file the program reads, by section.
SECTIONS = {
    "Advanced": ["MaxCol", "ModeOrder", "ButtonStyle", "TimeSeparator"],
    "Option": ["Alarm%d" % i for i in range(1, 6)] + ["CountDown%d" % i for i in range(1, 6)] + [
        "AddMinute", "CountDownRepeat", "SoundFlag", "SoundFile", "SoundBeep", "SoundUntilEnd",
        "MessageBox", "RingDuration", "RingingTime", "DisplayDuration", "MessageBoxSize",
        "TaskTray", "TaskBar", "Progress", "ShowAlways", "MaxLength", "HotKey", "Language",
        "Width", "Height"] + ["MessageBoxText%s%d_%s" % (m, n, lang) for m in "AC"
                              for n in (1, 2) for lang in "EJ"],
    "MainForm": ["StartForm", "Left", "Top", "AlwaysOnTop", "FontName", "FontSize", "FontBold",
                 "FontItalic", "FontUnderline", "FontStrikethrough", "ForeColor", "BackColor"],
}
# What the program writes back at exit: the window's state and its size.
OWNED = set(SECTIONS["MainForm"]) | {"Width", "Height"}
VALUES = {"huge": "1e38", "negative": "-99999999999", "nan": "NaN",
          "overflow": "&HFFFFFFFFFFFF", "invalid UTF-8": b"\xff\xfe\xc3(\x80".decode("latin-1")}


def snapshot(folder):
    # Each name with its kind, mode, link target and, for a regular file, a digest.
    entries = {}
    for name in set(os.listdir(folder)) - {"output.log"}:
        path = os.path.join(folder, name)
        info = os.lstat(path)
        entry = [stat.S_IFMT(info.st_mode), stat.S_IMODE(info.st_mode)]
        if stat.S_ISLNK(info.st_mode):
            entry.append(os.readlink(path))
        elif stat.S_ISREG(info.st_mode):
            with open(path, "rb") as f:
                entry.append(hashlib.sha256(f.read()).hexdigest())
        entries[name] = entry
    return entries


def write(path, data, mode=0o644):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


def settings_text(value, long_text_key=None):
    # Every key with this value; one key, if named, with a megabyte-long value instead.
    return "".join("[%s]\n" % name + "".join(
        "%s=%s\n" % (k, "7" * (1 << 20) if k == long_text_key else value) for k in keys)
        for name, keys in SECTIONS.items())


def not_owned(data):
    # The file's lines apart from those of the keys the program may rewrite.
    return [line for line in data.split(b"\n")
            if b"=" not in line or line.split(b"=", 1)[0].decode("latin-1") not in OWNED]


class HostileSettingsTest(unittest.TestCase):
    def test_paths_that_are_no_plain_settings_file(self):
        key = b"[Option]\nAddMinute=15\n"

        def locked(path):
            write(path, key)
            folder, name = os.path.split(path)
            fd = os.open(os.path.join(folder, "." + name + ".lock"), os.O_RDWR | os.O_CREAT)
            self.addCleanup(os.close, fd)
            fcntl.flock(fd, fcntl.LOCK_EX)
        # The save at exit waits for a held lock about two seconds, then gives up.
        for name, prepare, seconds in (
                ("link to a device", lambda path: os.symlink("/dev/zero", path), 3),
                ("fifo", os.mkfifo, 3), ("folder", os.mkdir, 3),
                ("read-only", lambda path: write(path, key, 0o444), 3),
                ("50 MB", lambda path: write(path, key + b";" * (50 << 20)), 3),
                ("lock held by another process", locked, 5)):
            with self.subTest(name):
                # In StopWatch mode, so that its exit wants to save the mode.
                app = desk.Program(args=["/S"])
                prepare(app.settings_path)
                before = snapshot(app.folder)
                desk.start_shown(self, app)
                asked = time.monotonic()
                self.assertEqual(app.terminate(timeout=10), 0, app.output())
                self.assertLess(time.monotonic() - asked, seconds)
                self.assertEqual(snapshot(app.folder), before)

    def test_every_key_at_once_with_a_value_nobody_wrote(self):
        width, height = desk.screen_size()
        cases = [(name, settings_text(v).encode("latin-1")) for name, v in VALUES.items()]
        cases += [("megabyte", settings_text("1", "SoundFile").encode()),
                  ("binary garbage", bytes(range(256)) * 64)]
        for name, data in cases:
            with self.subTest(name):
                app = desk.start_shown(self, desk.Program(settings=data))
                x, y, w, h = desk.geometry(app.window)
                self.assertTrue(0 < w <= width and 0 < h <= height, (x, y, w, h))
                self.assertTrue(-w < x < width and -h < y < height, (x, y, w, h))
                self.assertEqual(app.close(), 0, app.output())
                with open(app.settings_path, "rb") as f:
                    self.assertEqual(not_owned(f.read()), not_owned(data))


if __name__ == "__main__":
    unittest.main()
