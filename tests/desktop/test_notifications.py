# Desktop notifications of the real program, shown by a real notification daemon (dunst) in
# the private session: the alert's lines while the alert lasts,
# withdrawn when it ends, and its Stop action doing what the stop button does, heard only from
# the daemon. Without a daemon on the bus the alert goes on as before and nothing is said.

import os
import subprocess
import tempfile
import unittest

import desk

# A countdown of one second whose alert has no sound.
SILENT = "[Option]\nSoundFlag=2\nRingDuration=0.01\n"


class Dunst:
    # dunst on the session's display and bus. It keeps every notification until it is closed,
    # writes each one it shows to a log ("app|summary|body|id"), and when asked for a
    # notification's context menu writes the menu's lines to a log and chooses "stop".
    def __init__(self):
        folder = tempfile.mkdtemp(prefix="dunst-", dir=desk.session_dir())
        self.shown_log, self.menu_log = (os.path.join(folder, n) for n in ("shown", "menu"))
        scripts = {"log.sh": 'printf "%%s|%%s|%%s|%%s\\n" "$DUNST_APP_NAME" "$DUNST_SUMMARY" '
                             '"$DUNST_BODY" "$DUNST_ID" >>"%s"\n' % self.shown_log,
                   # A menu line per action, "#Stop (summary) [id,stop]"; this picks one.
                   "pick.sh": 'menu=$(cat)\nprintf "%%s\\n" "$menu" >>"%s"\n'
                              'printf "%%s\\n" "$menu" | grep -m1 ",stop]$"\n' % self.menu_log}
        for name, body in scripts.items():
            with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
                f.write("#!/bin/sh\n" + body)
            os.chmod(os.path.join(folder, name), 0o755)
        with open(os.path.join(folder, "dunstrc"), "w", encoding="utf-8") as f:
            f.write("[global]\n    timeout = 0\n    dmenu = %s/pick.sh\n[log]\n    summary = \"*\"\n"
                    "    script = %s/log.sh\n" % (folder, folder))
        with open(os.path.join(folder, "dunst.log"), "wb") as log:
            self.process = subprocess.Popen(["dunst", "-config", os.path.join(folder, "dunstrc")],
                                            stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        desk.wait_until(lambda: self.count("displayed") is not None, what="dunst")

    def stop(self):
        self.process.terminate()
        self.process.wait(10)

    def count(self, which):
        # How many notifications are displayed (or in the history); None while dunst is deaf.
        out = desk.run("dunstctl", "count", which, check=False).strip()
        return int(out) if out.isdigit() else None

    def shown(self):
        # Every notification shown so far, as (app, summary, body, id).
        if not os.path.exists(self.shown_log):
            return []
        with open(self.shown_log, encoding="utf-8") as f:
            return [tuple(line.rstrip("\n").split("|")) for line in f]


def after_earlier_signals():
    # Returns once the program has handled every bus message that reached it before now: a
    # call to it answered comes after them.
    desk.run("gdbus", "call", "--session", "--dest", "io.github.plimset.Plimset",
             "--object-path", "/io/github/plimset/Plimset",
             "--method", "io.github.plimset.Plimset.Show")


class NotificationTest(unittest.TestCase):
    def start_alert(self, settings, dunst):
        # Starts a one-second countdown and waits until its alert shows.
        app = desk.start_shown(self, desk.Program(args=["/C", "0:01"], settings=settings))
        desk.wait_until(lambda: dunst is None or dunst.count("displayed") == 1, timeout=8,
                        what="the alert's notification")
        desk.wait_until(app.other_window, timeout=8, what="the alert window")
        return app

    def test_the_alert_is_a_notification_until_it_ends_or_is_stopped_and_nothing_without_a_daemon(self):
        app = self.start_alert(SILENT + "DisplayDuration=0.02\n", None)
        desk.wait_until(lambda: not app.other_window(), what="the alert to end")
        self.assertEqual(app.close(), 0)
        self.assertEqual(app.output(), "")

        dunst = Dunst()
        self.addCleanup(dunst.stop)
        app = self.start_alert(SILENT + "DisplayDuration=0.03\n", dunst)
        self.assertEqual([s[:3] for s in dunst.shown()],
                         [("Plimset", "The countdown ended.", "Click on the stop button.")])
        # The program takes it away when the alert's three seconds are over.
        desk.wait_until(lambda: dunst.count("displayed") == 0, timeout=8,
                        what="the notification to be withdrawn")
        self.assertEqual((dunst.count("history"), len(dunst.shown())), (1, 1))
        self.assertEqual(app.close(), 0)

        # Its Stop stops the countdown as the stop button does. Without a display time the alert lasts until it is stopped.
        app = self.start_alert(SILENT + "DisplayDuration=0\n", dunst)
        field = desk.find_accessible(desk.atspi_application(pid=app.process.pid), role="text")
        # The daemon's "stop" signal forged from another connection stops nothing.
        desk.run("gdbus", "emit", "--session", "--object-path", "/org/freedesktop/Notifications",
                 "--signal", "org.freedesktop.Notifications.ActionInvoked",
                 "uint32 " + dunst.shown()[0][3], "stop")
        after_earlier_signals()
        self.assertTrue(app.other_window())
        # The daemon's Stop, its one action of that name, does: stopped and reloaded.
        desk.run("dunstctl", "context")  # returns before the menu has run
        desk.wait_until(lambda: os.path.exists(dunst.menu_log), what="the notice's menu")
        with open(dunst.menu_log, encoding="utf-8") as f:
            self.assertEqual(f.read().count("Stop"), 1)
        desk.wait_until(lambda: not app.other_window(), timeout=5, what="the alert window to go")
        self.assertEqual(desk.accessible_text(field), "0:01")
        self.assertEqual(dunst.count("displayed"), 0)
        self.assertEqual(app.close(), 0)
        # A click on the notice itself brings the window forward and stops nothing; a program
        # that ends during the alert takes its notice along.
        app = self.start_alert(SILENT + "DisplayDuration=0\n", dunst)
        desk.run("dunstctl", "action", "0")
        after_earlier_signals()
        self.assertTrue(app.other_window())
        self.assertEqual(app.terminate(), 0)
        desk.wait_until(lambda: dunst.count("displayed") == 0, timeout=5,
                        what="the notification to be withdrawn")


if __name__ == "__main__":
    unittest.main()
