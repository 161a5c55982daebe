# Plimset on a Wayland session: through XWayland by default, natively when asked; the
# window names the desktop entry it belongs to (so docks match it to the entry's icon).

import configparser
import os
import re
import subprocess
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

    def test_native_wayland_runs_without_the_x11_services(self):
        runtime = os.path.join(desk.session_dir(), "wayland-runtime")
        os.makedirs(runtime, mode=0o700)
        with open(os.path.join(runtime, "weston.log"), "wb") as log:
            weston = subprocess.Popen(
                ["weston", "--backend=headless-backend.so", "--socket=plimset-wayland",
                 "--idle-time=0"],
                env=dict(os.environ, XDG_RUNTIME_DIR=runtime), stdout=log, stderr=log)
        self.addCleanup(lambda: (weston.terminate(), weston.wait()))
        desk.wait_until(lambda: os.path.exists(os.path.join(runtime, "plimset-wayland")),
                        what="the Wayland compositor's socket")
        settings = "[MainForm]\nAlwaysOnTop=1\nLeft=1500\nTop=1500\n[Option]\nHotkey=684\n"
        app = desk.Program(settings=settings,
                           env={"QT_QPA_PLATFORM": "wayland", "XDG_RUNTIME_DIR": runtime,
                                "WAYLAND_DISPLAY": "plimset-wayland"}).start()
        self.addCleanup(app.kill)
        # Started once it says so; then it keeps running for five ticks more.
        desk.wait_until(lambda: app.process.poll() is not None or "hotkeys" in app.output(),
                        timeout=20, what="the program's start")
        desk.stays(lambda: app.process.poll() is None, 1.0, what="running")
        self.assertEqual(app.terminate(), 0, app.output())
        # Nothing the window could not know was written over what the user had; there is
        # no global hotkey here, which is said once.
        self.assertEqual(app.read_settings(), settings)
        self.assertEqual(app.output().count("plimset: global hotkeys are not available"), 1,
                         app.output())


if __name__ == "__main__":
    unittest.main()
