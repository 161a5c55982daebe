"""Settings files full of values nobody should write: the program starts with a sane
window, and at exit every key it does not own is left byte for byte as it was."""

import os
import unittest

import desk

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
    keep = []
    for line in data.split(b"\n"):
        key = line.split(b"=", 1)[0].decode("latin-1")
        if "=" in line.decode("latin-1") and key in OWNED:
            continue
        keep.append(line)
    return keep


class HostileValuesTest(unittest.TestCase):
    def test_every_key_at_once_with_a_value_nobody_wrote(self):
        width, height = desk.screen_size()
        cases = [(name, settings_text(v).encode("latin-1")) for name, v in VALUES.items()]
        cases.append(("megabyte", settings_text("1", "SoundFile").encode()))
        cases.append(("binary garbage", bytes(range(256)) * 64))
        for name, data in cases:
            with self.subTest(name):
                app = desk.Program()
                with open(app.settings_path, "wb") as f:
                    f.write(data)
                app.start()
                self.addCleanup(app.kill)
                win = app.wait_window()
                g = desk.geometry(win)
                self.assertTrue(0 < g["width"] <= width and 0 < g["height"] <= height, g)
                self.assertTrue(-g["width"] < g["x"] < width and -g["height"] < g["y"] < height,
                                g)
                self.assertEqual(app.close(), 0, app.output())
                with open(app.settings_path, "rb") as f:
                    after = f.read()
                self.assertEqual(not_owned(after), not_owned(data))

    def test_a_folder_in_the_settings_file_place(self):
        app = desk.Program()
        os.mkdir(app.settings_path)
        app.start()
        self.addCleanup(app.kill)
        app.wait_window()
        self.assertEqual(app.close(), 0, app.output())
        self.assertTrue(os.path.isdir(app.settings_path))


if __name__ == "__main__":
    unittest.main()
