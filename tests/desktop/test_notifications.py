"""Desktop notifications of the real program, shown by a real notification daemon (dunst)
in the private session: the alert's lines and the program's picture while the alert lasts,
withdrawn when it ends, and its Stop action doing what the stop button does, heard only
from the daemon. Without a daemon on the bus the alert goes on as before and nothing is
said."""

import os
import subprocess
import tempfile
import unittest

import desk

# A countdown of one second whose alert has no sound.
SILENT = "[Option]\nSoundFlag=2\nRingDuration=0.01\n"


class Dunst:
    """dunst on the session's display and bus. It keeps every notification until it is
    closed, writes each one it shows to a log ("app|summary|body|id"), and when asked for a
    notification's context menu writes the menu's lines to a log and chooses its "stop"
    action."""

    def __init__(self):
        folder = tempfile.mkdtemp(prefix="dunst-", dir=desk.session_dir())
        self.shown_log = os.path.join(folder, "shown.log")
        logger = self._script(folder, "log-shown.sh",
                              'printf "%%s|%%s|%%s|%%s\\n" "$DUNST_APP_NAME" "$DUNST_SUMMARY" '
                              '"$DUNST_BODY" "$DUNST_ID" >>"%s"\n' % self.shown_log)
        # dunst lists a menu line per action, "#Stop (summary) [id,stop]"; this picks one.
        self.menu_log = os.path.join(folder, "menu.log")
        picker = self._script(folder, "pick-stop.sh",
                              'menu=$(cat)\nprintf "%%s\\n" "$menu" >>"%s"\n'
                              'printf "%%s\\n" "$menu" | grep -m1 ",stop]$"\n' % self.menu_log)
        config = os.path.join(folder, "dunstrc")
        with open(config, "w", encoding="utf-8") as f:
            f.write("[global]\n    timeout = 0\n    dmenu = %s\n"
                    "[log]\n    summary = \"*\"\n    script = %s\n" % (picker, logger))
        with open(os.path.join(folder, "dunst.log"), "wb") as log:
            self.process = subprocess.Popen(["dunst", "-config", config],
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        desk.wait_until(lambda: self.count("displayed") is not None, what="dunst")

    @staticmethod
    def _script(folder, name, body):
        path = os.path.join(folder, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write("#!/bin/sh\n" + body)
        os.chmod(path, 0o755)
        return path

    def stop(self):
        self.process.terminate()
        self.process.wait(10)

    def count(self, which):
        """How many notifications are displayed (or in the history of closed ones); None
        while dunst does not answer."""
        done = subprocess.run(["dunstctl", "count", which], capture_output=True, text=True,
                              stdin=subprocess.DEVNULL, timeout=10)
        return int(done.stdout) if done.returncode == 0 else None

    def shown(self):
        """Every notification shown so far, as (app, summary, body, id)."""
        try:
            with open(self.shown_log, encoding="utf-8") as f:
                return [tuple(line.rstrip("\n").split("|")) for line in f]
        except FileNotFoundError:
            return []

    def choose_stop(self):
        """Chooses the "stop" action of the notification shown, as from its context menu;
        returns the menu's lines."""
        desk.run("dunstctl", "context")  # returns before the menu has run
        desk.wait_until(lambda: os.path.exists(self.menu_log), what="the notice's menu")
        with open(self.menu_log, encoding="utf-8") as f:
            return f.read().splitlines()

    def click(self):
        """Invokes the default action of the notification shown, as a click on it does."""
        desk.run("dunstctl", "action", "0")


class NotifyCalls:
    """The Notify calls on the session bus from now on, as dbus-monitor prints them."""

    def __init__(self, test):
        self.path = os.path.join(tempfile.mkdtemp(prefix="monitor-", dir=desk.session_dir()),
                                 "notify.log")
        with open(self.path, "wb") as log:
            process = subprocess.Popen(
                ["dbus-monitor", "--session", "type='method_call',member='Notify'"],
                stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT)
        test.addCleanup(lambda: (process.terminate(), process.wait(10)))
        desk.wait_until(lambda: os.path.getsize(self.path) > 0, what="dbus-monitor")

    def text(self):
        with open(self.path, encoding="utf-8", errors="replace") as f:
            return f.read()


def after_earlier_signals():
    """Returns once the program's main thread has handled every bus message that reached
    it before now: a call to it answered comes after them."""
    desk.run("gdbus", "call", "--session", "--dest", "io.github.plimset.Plimset",
             "--object-path", "/io/github/plimset/Plimset",
             "--method", "io.github.plimset.Plimset.Show")


def alert_window(app):
    """The program's alert window while it is shown, else None."""
    return next((w for w in app.windows()
                 if w != app.window and desk.map_state(w) == "IsViewable"), None)


class NoDaemonTest(unittest.TestCase):
    def test_an_alert_without_a_notification_service_says_nothing(self):
        app = desk.start_shown(self, desk.Program(args=["/C", "0:01"],
                                                  settings=SILENT + "DisplayDuration=0.02\n"))
        acc = desk.atspi_application(pid=app.process.pid)
        desk.find_accessible(acc, "alert", timeout=8)
        field = desk.find_accessible(acc, role="text")
        desk.wait_until(lambda: desk.accessible_text(field) == "0:01", timeout=8,
                        what="the countdown to end and reload")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")


class NotificationTest(unittest.TestCase):
    def setUp(self):
        self.dunst = Dunst()
        self.addCleanup(self.dunst.stop)

    def start_alert(self, settings):
        """Starts a one-second countdown and waits until its alert is a notification."""
        app = desk.start_shown(self, desk.Program(args=["/C", "0:01"], settings=settings))
        desk.wait_until(lambda: self.dunst.count("displayed") == 1, timeout=8,
                        what="the alert's notification")
        return app

    def test_the_alert_is_a_notification_until_it_ends(self):
        calls = NotifyCalls(self)
        app = self.start_alert(SILENT + "DisplayDuration=0.03\n")
        self.assertEqual([s[:3] for s in self.dunst.shown()],
                         [("Plimset", "The countdown ended.", "Click on the stop button.")])
        # A copy whose icon is installed nowhere sends its picture.
        self.assertIn('string "image-data"', calls.text())
        # The program takes it away when the alert's three seconds are over.
        desk.wait_until(lambda: self.dunst.count("displayed") == 0, timeout=8,
                        what="the notification to be withdrawn")
        self.assertEqual(self.dunst.count("history"), 1)
        self.assertEqual(len(self.dunst.shown()), 1)
        self.assertEqual(app.close(), 0)

    def test_a_program_that_ends_during_the_alert_takes_its_notice_along(self):
        app = self.start_alert(SILENT + "DisplayDuration=0\n")
        self.assertEqual(app.terminate(), 0)
        desk.wait_until(lambda: self.dunst.count("displayed") == 0, timeout=5,
                        what="the notification to be withdrawn")

    def test_its_stop_stops_the_countdown_as_the_stop_button_does(self):
        # Without a display time the alert lasts until it is stopped.
        app = self.start_alert(SILENT + "DisplayDuration=0\n")
        acc = desk.atspi_application(pid=app.process.pid)
        field = desk.find_accessible(acc, role="text")
        desk.wait_until(lambda: alert_window(app), what="the alert window")
        # The daemon's "stop" signal forged from another connection stops nothing.
        notice = self.dunst.shown()[0][3]
        desk.run("gdbus", "emit", "--session", "--object-path", "/org/freedesktop/Notifications",
                 "--signal", "org.freedesktop.Notifications.ActionInvoked", "uint32 " + notice,
                 "stop")
        after_earlier_signals()
        self.assertTrue(alert_window(app))
        # The daemon's Stop, its one action of that name, does.
        menu = self.dunst.choose_stop()
        self.assertEqual(len([line for line in menu if "Stop" in line]), 1, menu)
        desk.wait_until(lambda: not alert_window(app), timeout=5, what="the alert window to go")
        # Stopped and reloaded.
        self.assertEqual(desk.accessible_text(field), "0:01")
        self.assertEqual(self.dunst.count("displayed"), 0)
        self.assertEqual(app.close(), 0)
        # A click on the notice itself brings the window forward and stops nothing.
        app = self.start_alert(SILENT + "DisplayDuration=0\n")
        desk.wait_until(lambda: alert_window(app), what="the alert window")
        self.dunst.click()
        after_earlier_signals()
        self.assertTrue(alert_window(app))
        self.assertEqual(app.close(), 0)


if __name__ == "__main__":
    unittest.main()
