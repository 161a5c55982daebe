"""The real program over settings paths that are not a plain settings file: it starts, shows
its window and ends on SIGTERM within seconds, and leaves what stands at the path, and the
rest of its folder, as it was."""

import fcntl
import hashlib
import os
import stat
import time
import unittest

import desk


def snapshot(folder):
    """What the folder holds: each name with its kind, mode, link target and, for a regular
    file, a digest of its bytes. The program's log is left out."""
    entries = {}
    for name in os.listdir(folder):
        if name == "output.log":
            continue
        path = os.path.join(folder, name)
        info = os.lstat(path)
        entry = [stat.S_IFMT(info.st_mode), stat.S_IMODE(info.st_mode)]
        if stat.S_ISLNK(info.st_mode):
            entry.append(os.readlink(path))
        elif stat.S_ISREG(info.st_mode):
            with open(path, "rb") as f:
                entry.append(hashlib.sha256(f.read()).hexdigest())
        entries[name] = tuple(entry)
    return entries


def write(path, data, mode=0o644):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


class HostileSettingsTest(unittest.TestCase):
    def run_over(self, prepare, most_seconds_to_end=3):
        """Starts the program (in StopWatch mode, so that its exit wants to save the mode)
        over a settings path that prepare(path) made, ends it with SIGTERM and checks that
        nothing in its folder changed."""
        app = desk.Program(args=["/S"])
        prepare(app.settings_path)
        before = snapshot(app.folder)
        app.start()
        self.addCleanup(app.kill)
        app.wait_window(timeout=5)
        desk.settle(0.3)
        asked = time.monotonic()
        self.assertEqual(app.terminate(timeout=10), 0, app.output())
        self.assertLess(time.monotonic() - asked, most_seconds_to_end)
        self.assertEqual(snapshot(app.folder), before)

    def test_symlink_to_a_device(self):
        self.run_over(lambda path: os.symlink("/dev/zero", path))

    def test_fifo(self):
        self.run_over(os.mkfifo)

    def test_read_only_file(self):
        self.run_over(lambda path: write(path, b"[Option]\nAddMinute=15\n", 0o444))

    def test_file_of_50_mb(self):
        self.run_over(lambda path: write(path, b"[Option]\nAddMinute=15\n" +
                                         b";" * (50 * 1024 * 1024) + b"\n"))

    def test_lock_held_by_another_process(self):
        lock = {}

        def hold(path):
            write(path, b"[Option]\nAddMinute=15\n")
            folder, name = os.path.split(path)
            lock["fd"] = os.open(os.path.join(folder, "." + name + ".lock"),
                                 os.O_RDWR | os.O_CREAT, 0o644)
            self.addCleanup(os.close, lock["fd"])
            fcntl.flock(lock["fd"], fcntl.LOCK_EX)
        # The save at exit waits for the lock about two seconds, then gives up.
        self.run_over(hold, most_seconds_to_end=5)


if __name__ == "__main__":
    unittest.main()
