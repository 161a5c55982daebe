# The running window names the desktop entry it belongs to, so docks and task switchers match
# it to the entry's icon and name (StartupWMClass, the desktop file name).
import configparser
import os
import re
import unittest

import desk


class WindowIdentityTest(unittest.TestCase):
    def test_window_class_and_desktop_file_match_the_entry(self):
        entry = configparser.ConfigParser(interpolation=None, strict=False)
        entry.optionxform = str
        entry.read(os.environ["PLIMSET_DESKTOP_FILE"], encoding="utf-8")
        app = desk.start_shown(self, desk.Program(args=["/A"]))
        names = re.findall(r'"([^"]*)"', desk.run("xprop", "-id", hex(app.window), "WM_CLASS"))
        self.assertEqual(names[1:], [entry["Desktop Entry"]["StartupWMClass"]])
        # Where Qt publishes the desktop file name on the window, it is the entry's id.
        app_id = os.path.basename(os.environ["PLIMSET_DESKTOP_FILE"])[: -len(".desktop")]
        for prop in ("_KDE_NET_WM_DESKTOP_FILE", "_GTK_APPLICATION_ID"):
            self.assertIn(desk.text_property(app.window, prop), (None, app_id))
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
