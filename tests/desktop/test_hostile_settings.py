"""The real program over hostile settings. Over paths that are not a plain settings file it
starts, shows its window and ends on SIGTERM within seconds, and leaves what stands at the
path, and the rest of its folder, as it was. Over files full of values nobody should write it
starts with a sane window, and at exit every key it does not own is left byte for byte."""

import fcntl
import hashlib
import os
import stat
import time
import unittest

import desk


def snapshot(folder):
    """What the folder holds: each name with its kind, mode, link target and, for a regular
    file, a digest of its bytes. The program's log is left out."""
    entries = {}
    for name in os.listdir(folder):
        if name == "output.log":
            continue
        path = os.path.join(folder, name)
        info = os.lstat(path)
        entry = [stat.S_IFMT(info.st_mode), stat.S_IMODE(info.st_mode)]
        if stat.S_ISLNK(info.st_mode):
            entry.append(os.readlink(path))
        elif stat.S_ISREG(info.st_mode):
            with open(path, "rb") as f:
                entry.append(hashlib.sha256(f.read()).hexdigest())
        entries[name] = tuple(entry)
    return entries


def write(path, data, mode=0o644):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


class HostileSettingsTest(unittest.TestCase):
    def run_over(self, prepare, most_seconds_to_end=3):
        """Starts the program (in StopWatch mode, so that its exit wants to save the mode)
        over a settings path that prepare(path) made, ends it with SIGTERM and checks that
        nothing in its folder changed."""
        app = desk.Program(args=["/S"])
        prepare(app.settings_path)
        before = snapshot(app.folder)
        app.start()
        self.addCleanup(app.kill)
        app.wait_window(timeout=5)
        desk.settle(0.3)
        asked = time.monotonic()
        self.assertEqual(app.terminate(timeout=10), 0, app.output())
        self.assertLess(time.monotonic() - asked, most_seconds_to_end)
        self.assertEqual(snapshot(app.folder), before)

    def test_paths_that_are_no_plain_settings_file(self):
        key = b"[Option]\nAddMinute=15\n"
        for name, prepare in (("link to a device", lambda path: os.symlink("/dev/zero", path)),
                              ("fifo", os.mkfifo), ("folder", os.mkdir),
                              ("read-only", lambda path: write(path, key, 0o444)),
                              ("50 MB", lambda path: write(path, key + b";" * (50 << 20)))):
            with self.subTest(name):
                self.run_over(prepare)

    def test_lock_held_by_another_process(self):
        def hold(path):
            write(path, b"[Option]\nAddMinute=15\n")
            folder, name = os.path.split(path)
            fd = os.open(os.path.join(folder, "." + name + ".lock"), os.O_RDWR | os.O_CREAT)
            self.addCleanup(os.close, fd)
            fcntl.flock(fd, fcntl.LOCK_EX)
        # The save at exit waits for the lock about two seconds, then gives up.
        self.run_over(hold, most_seconds_to_end=5)


# Every key of the settings file the program reads.
OPTION_KEYS = (
    ["Alarm%d" % i for i in range(1, 6)] + ["CountDown%d" % i for i in range(1, 6)] +
    ["AddMinute", "CountDownRepeat", "SoundFlag", "SoundFile", "SoundBeep", "SoundUntilEnd",
     "MessageBox", "RingDuration", "RingingTime", "DisplayDuration", "MessageBoxSize",
     "TaskTray", "TaskBar", "Progress", "ShowAlways", "MaxLength", "HotKey", "Language",
     "MessageBoxTextA1_E", "MessageBoxTextA2_E", "MessageBoxTextA1_J", "MessageBoxTextA2_J",
     "MessageBoxTextC1_E", "MessageBoxTextC2_E", "MessageBoxTextC1_J", "MessageBoxTextC2_J"])
ADVANCED_KEYS = ["MaxCol", "ModeOrder", "ButtonStyle", "TimeSeparator"]
MAINFORM_KEYS = ["StartForm", "Left", "Top", "AlwaysOnTop", "FontName", "FontSize", "FontBold",
                 "FontItalic", "FontUnderline", "FontStrikethrough", "ForeColor", "BackColor"]
# What the program writes back at exit: the window's state and its size.
OWNED = set(MAINFORM_KEYS) | {"Width", "Height"}

VALUES = {
    "huge": "1e38", "negative": "-99999999999", "nan": "NaN", "overflow": "&HFFFFFFFFFFFF",
    "invalid UTF-8": b"\xff\xfe\xc3(\x80".decode("latin-1"),
}


def settings_text(value, long_text_key=None):
    """Every key with this value; one key, if named, with a megabyte-long value instead."""
    sections = [("Advanced", ADVANCED_KEYS), ("Option", OPTION_KEYS + ["Width", "Height"]),
                ("MainForm", MAINFORM_KEYS)]
    return "".join("[%s]\n" % name + "".join(
        "%s=%s\n" % (k, "7" * (1 << 20) if k == long_text_key else value) for k in keys)
        for name, keys in sections)


def not_owned(data):
    """The file's lines apart from those of the keys the program may rewrite."""
    return [line for line in data.split(b"\n")
            if b"=" not in line or line.split(b"=", 1)[0].decode("latin-1") not in OWNED]


class HostileValuesTest(unittest.TestCase):
    def test_every_key_at_once_with_a_value_nobody_wrote(self):
        width, height = desk.screen_size()
        cases = [(name, settings_text(v).encode("latin-1")) for name, v in VALUES.items()]
        cases.append(("megabyte", settings_text("1", "SoundFile").encode()))
        cases.append(("binary garbage", bytes(range(256)) * 64))
        for name, data in cases:
            with self.subTest(name):
                app = desk.Program()
                write(app.settings_path, data)
                app.start()
                self.addCleanup(app.kill)
                win = app.wait_window()
                g = desk.geometry(win)
                self.assertTrue(0 < g["width"] <= width and 0 < g["height"] <= height, g)
                self.assertTrue(-g["width"] < g["x"] < width and -g["height"] < g["y"] < height,
                                g)
                self.assertEqual(app.close(), 0, app.output())
                with open(app.settings_path, "rb") as f:
                    self.assertEqual(not_owned(f.read()), not_owned(data))


if __name__ == "__main__":
    unittest.main()
