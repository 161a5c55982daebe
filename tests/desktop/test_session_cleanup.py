"""Run outside a session: the desktop session ends everything it started, even a process
that left its process tree, passes the command's exit status on and removes its folder."""

import os
import subprocess
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "desktop-session")

# Starts a detached process, then reports it, the session's own processes (the command's
# siblings), the display and the folder, and fails with status 3.
COMMAND = r'''
setsid sleep 300 </dev/null >/dev/null 2>&1 &
echo "detached $!"
echo "session $(ps -o pid= --ppid $PPID | tr '\n' ' ')"
echo "display ${DISPLAY#:}"
echo "folder $PLIMSET_SESSION_DIR"
exit 3
'''


class CleanupTest(unittest.TestCase):
    def test_nothing_is_left_behind(self):
        done = subprocess.run([SCRIPT, "sh", "-c", COMMAND], capture_output=True, text=True,
                              timeout=60, stdin=subprocess.DEVNULL)
        self.assertEqual(done.returncode, 3, done.stderr)
        report = dict(line.split(" ", 1) for line in done.stdout.strip().splitlines())
        pids = [report["detached"]] + report["session"].split()
        self.assertGreaterEqual(len(pids), 6, report)  # X, buses, WM, panel, sound
        survivors = [p for p in pids if os.path.exists("/proc/" + p)
                     and not open("/proc/%s/stat" % p).read().split(")")[-1].split()[0] == "Z"]
        self.assertEqual(survivors, [], "processes left running")
        self.assertFalse(os.path.exists("/tmp/.X11-unix/X" + report["display"]))
        self.assertFalse(os.path.exists(report["folder"]), "session folder left behind")


if __name__ == "__main__":
    unittest.main()
