"""`plimset --toggle`, `--show` and `--hide` from another process: they reach the Plimset
that runs already through the session bus and end at once, with no second window; where
none runs, --toggle and --show start one. A second Plimset opens beside the first, and the
hotkey is the one of the Plimset that answers on the bus."""

import ctypes
import os
import subprocess
import time
import unittest

import dbus

import desk

SERVICE = "io.github.plimset.Plimset"
PATH = "/io/github/plimset/Plimset"

_x11 = ctypes.CDLL("libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x11.XPending.argtypes = [ctypes.c_void_p]
_x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
STRUCTURE_NOTIFY_MASK, UNMAP_NOTIFY = 1 << 17, 18


def count_unmaps(wid, action):
    """Runs action() and returns how often the window was unmapped (hidden) meanwhile."""
    display = _x11.XOpenDisplay(None)
    try:
        _x11.XSelectInput(display, wid, STRUCTURE_NOTIFY_MASK)
        _x11.XSync(display, 0)
        action()
        _x11.XSync(display, 0)
        event, count = ctypes.create_string_buffer(192), 0
        while _x11.XPending(display):
            _x11.XNextEvent(display, event)
            count += ctypes.c_int.from_buffer(event).value == UNMAP_NOTIFY
        return count
    finally:
        _x11.XCloseDisplay(display)


def owner_process():
    """The process that owns the bus name, None while nobody does."""
    try:
        return int(dbus.SessionBus().call_blocking(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetConnectionUnixProcessID", "s", (SERVICE,)))
    except dbus.DBusException:
        return None


def plimset_windows():
    """The managed windows of every plimset process in the session."""
    return [w for w in desk.client_list() if "plimset" in desk.run(
        "ps", "-o", "comm=", "-p", str(desk.window_pid(w) or 0), check=False)]


class RemoteVerbTest(unittest.TestCase):
    def verb(self, name):
        """Runs `plimset --NAME` as a desktop shortcut would; it must end at once, quietly."""
        started = time.monotonic()
        done = subprocess.run([os.environ["PLIMSET_BINARY"], "--" + name], capture_output=True,
                              text=True, timeout=desk.DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL)
        self.assertEqual((done.returncode, done.stdout, done.stderr), (0, "", ""), name)
        self.assertLess(time.monotonic() - started, 5.0, name)

    def wait_hidden(self, win):
        desk.wait_until(lambda: desk.map_state(win) != "IsViewable", what="the window hidden")

    def wait_shown(self, win):
        desk.wait_until(lambda: desk.map_state(win) == "IsViewable"
                        and not desk.wm_hints_iconic(win), what="the window shown")

    def test_verbs_reach_the_running_program_as_its_hotkey_does(self):
        app = desk.start_shown(self, desk.Program(settings="[Option]\nTaskTray=1\nTaskBar=0\n"))
        win = app.window
        self.verb("toggle")
        self.wait_hidden(win)
        self.verb("toggle")
        self.wait_shown(win)
        self.verb("hide")
        self.wait_hidden(win)
        self.verb("show")
        self.wait_shown(win)
        self.assertEqual(plimset_windows(), [win])

        # A burst of toggles makes one verb at a time, no faster than the window acts: an
        # odd number leaves the window hidden, and a Show after them is carried out at once.
        plimset = dbus.SessionBus().get_object(SERVICE, PATH, introspect=False)

        def burst():
            for _ in range(2001):
                plimset.Toggle(dbus_interface=SERVICE, ignore_reply=True)
            # Answered once every toggle before it is taken; hidden then, the window stays so.
            plimset.WindowPlace(dbus_interface=SERVICE, timeout=desk.DEFAULT_TIMEOUT)
            self.wait_hidden(win)
        self.assertLess(count_unmaps(win, burst), 50)
        plimset.Show(dbus_interface=SERVICE, timeout=desk.DEFAULT_TIMEOUT)
        self.wait_shown(win)

        # A mode switch starts a Plimset of its own; the verbs still go to the first.
        second = desk.start_shown(self, desk.Program(args=["/C", "5"]))
        self.assertNotEqual(second.process.pid, app.process.pid)
        self.verb("toggle")
        self.wait_hidden(win)
        self.assertEqual(desk.map_state(second.window), "IsViewable")
        self.assertEqual(second.close(), 0)
        self.verb("toggle")
        self.wait_shown(win)

        # While a dialog of the window is open nothing reacts; --show brings the dialog forward.
        desk.press_keys("alt+m", "f", window=win)
        desk.wait_until(lambda: len(app.windows()) > 1, what="the font dialog")
        self.verb("toggle")
        self.verb("show")
        desk.settle(0.5)
        self.assertEqual(desk.map_state(win), "IsViewable")
        dialog = next(w for w in app.windows() if w != win)
        desk.press_keys("Escape", window=dialog)
        desk.wait_until(lambda: app.windows() == [win], what="the font dialog closed")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_with_none_running_show_starts_one_and_hide_starts_none(self):
        self.verb("hide")
        self.assertEqual(plimset_windows(), [])

        # As the application menu's entry starts it.
        app = desk.Program(args=["--show"], settings="[Option]\nTaskTray=1\n")
        desk.start_shown(self, app)
        self.assertEqual(plimset_windows(), [app.window])
        # The one it started answers the next press.
        self.verb("toggle")
        self.wait_hidden(app.window)
        self.verb("toggle")
        self.wait_shown(app.window)
        self.assertEqual(plimset_windows(), [app.window])
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_a_second_plimset_opens_aside_and_takes_the_hotkey_when_the_first_ends(self):
        settings = "[Option]\nHotkey=684\n"  # both centred, as they have no saved place
        first = desk.start_shown(self, desk.Program(settings=settings))
        second = desk.start_shown(self, desk.Program(settings=settings))
        at = [desk.geometry(p.window) for p in (first, second)]
        self.assertEqual((at[1]["x"] - at[0]["x"], at[1]["y"] - at[0]["y"]), (32, 32))
        # The hotkey stays with the first, and the second says whose it is.
        said = ("plimset: the hotkey Ctrl + Shift + T belongs to the Plimset that runs already "
                "(process %d); this one takes it over when that one ends\n" % first.process.pid)
        desk.wait_until(lambda: second.output() == said, what="the second's word on the hotkey")
        desk.press_keys("ctrl+shift+t", window=second.window)
        self.wait_hidden(first.window)
        self.assertEqual(desk.map_state(second.window), "IsViewable")
        self.verb("show")
        self.wait_shown(first.window)

        # When the first ends, the second answers on the bus and has the hotkey.
        self.assertEqual(first.close(), 0)
        desk.wait_until(lambda: owner_process() == second.process.pid, what="the name passed")
        self.verb("toggle")
        self.wait_hidden(second.window)
        desk.press_keys("ctrl+shift+t")
        self.wait_shown(second.window)
        self.assertEqual(second.close(), 0)
        self.assertEqual((first.output(), second.output()), ("", said))

    def test_a_wayland_session_without_a_shortcut_portal_is_pointed_to_toggle(self):
        # This session's bus offers no GlobalShortcuts portal (no desktop names a back end).
        app = desk.start_shown(self, desk.Program(settings="[Option]\nHotkey=684\n",
                                                  env={"XDG_SESSION_TYPE": "wayland"}))
        desk.wait_until(lambda: "`plimset --toggle`" in app.output(), what="a word on stderr")
        desk.settle(0.5)
        lines = app.output().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("no GlobalShortcuts portal", lines[0])
        self.assertIn("Ctrl + Shift + T", lines[0])
        self.assertEqual(app.close(), 0)
        desk.wait_until(lambda: owner_process() is None, what="the bus name let go")
        # Another program holds the combination on the X server too (here a Plimset of
        # another bus): no way to the hotkey is left, which is said once, with the same way out.
        desk.start_shown(self, desk.Program(settings="[Option]\nHotkey=684\n",
                                            env={"DBUS_SESSION_BUS_ADDRESS": "unix:path=/none"}))
        other = desk.start_shown(self, desk.Program(settings="[Option]\nHotkey=684\n",
                                                    env={"XDG_SESSION_TYPE": "wayland"}))
        desk.wait_until(lambda: "`plimset --toggle`" in other.output(), what="a word on stderr")
        desk.settle(0.5)
        self.assertEqual(other.output(), "plimset: the desktop offers programs no global "
                         "shortcuts (no GlobalShortcuts portal on the session bus), and another "
                         "program holds the hotkey Ctrl + Shift + T on the X server, so the "
                         "hotkey is unavailable; bind a desktop shortcut to `plimset --toggle` "
                         "instead\n")
        self.assertEqual(other.close(), 0)


if __name__ == "__main__":
    unittest.main()
