# Plimset on a Wayland session runs through XWayland by default; the window names the desktop
# entry it belongs to (so docks match it to the entry's icon). (Natively, without the X11
# services and with its hotkey said to be unavailable: the unit tests GlobalHotkey and
# MakeWindowServices.)

import configparser
import os
import re
import unittest

import desk


class WaylandTest(unittest.TestCase):
    def test_a_wayland_session_runs_it_as_an_x11_client_named_as_its_desktop_entry(self):
        # The session's X server stands in for XWayland; the platform is left unset, as a
        # user's desktop leaves it. An X11 window of its own: always on top and the rest work.
        app = desk.Program(env={"WAYLAND_DISPLAY": "wayland-0", "XDG_SESSION_TYPE": "wayland"})
        app.env.pop("QT_QPA_PLATFORM", None)
        desk.start_shown(self, app)
        entry = configparser.ConfigParser(interpolation=None, strict=False)
        entry.optionxform = str
        entry.read(os.environ["PLIMSET_DESKTOP_FILE"], encoding="utf-8")
        names = re.findall(r'"([^"]*)"', desk.run("xprop", "-id", hex(app.window), "WM_CLASS"))
        self.assertEqual(names[1:], [entry["Desktop Entry"]["StartupWMClass"]])
        # Where Qt publishes the desktop file name on the window, it is the entry's id.
        app_id = os.path.basename(os.environ["PLIMSET_DESKTOP_FILE"])[: -len(".desktop")]
        for prop in ("_KDE_NET_WM_DESKTOP_FILE", "_GTK_APPLICATION_ID"):
            self.assertIn(desk.text_property(app.window, prop), (None, app_id))
        self.assertEqual(app.close(), 0, app.output())


if __name__ == "__main__":
    unittest.main()
