"""The running window names the desktop entry it belongs to, so docks and task switchers
match it to the entry's icon and name (StartupWMClass, the desktop file name)."""
import configparser
import os
import re
import unittest

import desk


def desktop_entry():
    entry = configparser.ConfigParser(interpolation=None, strict=False)
    entry.optionxform = str
    entry.read(os.environ["PLIMSET_DESKTOP_FILE"], encoding="utf-8")
    return entry["Desktop Entry"]


class WindowIdentityTest(unittest.TestCase):
    def test_window_class_and_desktop_file_match_the_entry(self):
        app = desk.Program(args=["/A"])
        app.start()
        self.addCleanup(app.kill)
        win = app.wait_window()

        wm_class = desk.run("xprop", "-id", hex(win), "WM_CLASS")
        names = re.findall(r'"([^"]*)"', wm_class)
        self.assertEqual(len(names), 2, wm_class)
        self.assertEqual(names[1], desktop_entry()["StartupWMClass"])

        # Where Qt publishes the desktop file name on the window, it is the entry's id.
        app_id = os.path.basename(os.environ["PLIMSET_DESKTOP_FILE"])[: -len(".desktop")]
        for prop in ("_KDE_NET_WM_DESKTOP_FILE", "_GTK_APPLICATION_ID"):
            out = desk.run("xprop", "-id", hex(win), prop, check=False)
            if '"' in out:
                self.assertEqual(re.findall(r'"([^"]*)"', out)[0], app_id, out)
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
