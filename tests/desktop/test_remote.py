# `plimset --toggle`, `--show` and `--hide` from another process: they reach the Plimset that
# runs already through the session bus and end at once, with no second window; where none
# runs, --toggle and --show start one. A second Plimset opens beside the first, and the
# hotkey is the one of the Plimset that answers on the bus.

import os
import subprocess
import time
import unittest

import dbus

import desk

SERVICE = "io.github.plimset.Plimset"
HOTKEY = "[Option]\nHotkey=684\n"  # Ctrl + Shift + T


def owner_process():
    # The process that owns the bus name, None while nobody does.
    try:
        return int(dbus.SessionBus().call_blocking(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetConnectionUnixProcessID", "s", (SERVICE,)))
    except dbus.DBusException:
        return None


def plimset_windows():
    # The managed windows of every plimset process in the session.
    return [w for w in desk.client_list() if "plimset" in desk.run(
        "ps", "-o", "comm=", "-p", str(desk.window_pid(w) or 0), check=False)]


def hidden(win):
    desk.wait_until(lambda: desk.map_state(win) != "IsViewable", what="the window hidden")


def shown(win):
    desk.wait_until(lambda: desk.shown(win), what="the window shown")


class RemoteVerbTest(unittest.TestCase):
    def verb(self, name):
        # As a desktop shortcut runs it: it must end at once, quietly.
        started = time.monotonic()
        done = subprocess.run([os.environ["PLIMSET_BINARY"], "--" + name], capture_output=True,
                              text=True, timeout=desk.DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL)
        self.assertEqual((done.returncode, done.stdout, done.stderr), (0, "", ""), name)
        self.assertLess(time.monotonic() - started, 5.0, name)

    def test_verbs_reach_the_running_program_as_its_hotkey_does(self):
        self.verb("hide")  # none runs: nothing starts
        self.assertEqual(plimset_windows(), [])
        # As the application menu's entry starts it.
        app = desk.start_shown(self, desk.Program(args=["--show"],
                                                  settings="[Option]\nTaskTray=1\nTaskBar=0\n"))
        win = app.window
        for verb, wait in (("toggle", hidden), ("toggle", shown), ("hide", hidden),
                           ("show", shown)):
            self.verb(verb)
            wait(win)
        self.assertEqual(plimset_windows(), [win])

        # While a dialog of the window is open nothing reacts; --show brings the dialog forward.
        desk.press_keys("alt+m", "f", window=win)
        dialog = desk.wait_until(app.other_window, what="the font dialog")
        self.verb("toggle")
        self.verb("show")
        desk.stays(lambda: desk.shown(win), 0.5, what="shown")
        desk.press_keys("Escape", window=dialog)
        desk.wait_until(lambda: app.windows() == [win], what="the font dialog closed")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

    def test_a_second_plimset_opens_aside_and_takes_the_hotkey_when_the_first_ends(self):
        first = desk.start_shown(self, desk.Program(settings=HOTKEY))
        second = desk.start_shown(self, desk.Program(args=["/C", "5"], settings=HOTKEY))
        (x0, y0, _, _), (x1, y1, _, _) = (desk.geometry(p.window) for p in (first, second))
        self.assertEqual((x1 - x0, y1 - y0), (32, 32))
        # The hotkey and the verbs stay with the first, and the second says whose it is.
        said = ("plimset: the hotkey Ctrl + Shift + T belongs to the Plimset that runs already "
                "(process %d); this one takes it over when that one ends\n" % first.process.pid)
        desk.wait_until(lambda: second.output() == said, what="the second's word on the hotkey")
        desk.press_keys("ctrl+shift+t", window=second.window)
        hidden(first.window)
        self.assertEqual(desk.map_state(second.window), "IsViewable")
        self.verb("show")
        shown(first.window)

        # When the first ends, the second answers on the bus and has the hotkey.
        self.assertEqual(first.close(), 0)
        desk.wait_until(lambda: owner_process() == second.process.pid, what="the name passed")
        self.verb("toggle")
        hidden(second.window)
        desk.press_keys("ctrl+shift+t")
        shown(second.window)
        self.assertEqual(second.close(), 0)
        self.assertEqual((first.output(), second.output()), ("", said))


if __name__ == "__main__":
    unittest.main()
