# The real program over paths that are not a plain settings file: it starts, shows its window
# and ends on SIGTERM within seconds, and leaves what stands at the path, and the rest of its
# folder, as it was. (Values nobody should write, and the keys it does not own kept byte for
# byte: the unit tests SettingsCorpus, SettingsFileTest and ScreenFit.)

import fcntl
import hashlib
import os
import stat
import time
import unittest

import desk


def snapshot(folder):
    # Each name with its kind, mode, link target and, for a regular file, a digest.
    entries = {}
    for name in set(os.listdir(folder)) - {"output.log"}:
        path = os.path.join(folder, name)
        info = os.lstat(path)
        entry = [stat.S_IFMT(info.st_mode), stat.S_IMODE(info.st_mode)]
        if stat.S_ISLNK(info.st_mode):
            entry.append(os.readlink(path))
        elif stat.S_ISREG(info.st_mode):
            with open(path, "rb") as f:
                entry.append(hashlib.sha256(f.read()).hexdigest())
        entries[name] = entry
    return entries


def write(path, data, mode=0o644):
    with open(path, "wb") as f:
        f.write(data)
    os.chmod(path, mode)


class HostileSettingsTest(unittest.TestCase):
    def test_paths_that_are_no_plain_settings_file(self):
        key = b"[Option]\nAddMinute=15\n"

        def locked(path):
            write(path, key)
            folder, name = os.path.split(path)
            fd = os.open(os.path.join(folder, "." + name + ".lock"), os.O_RDWR | os.O_CREAT)
            self.addCleanup(os.close, fd)
            fcntl.flock(fd, fcntl.LOCK_EX)
        # The save at exit waits for a held lock about two seconds, then gives up.
        for name, prepare, seconds in (
                ("link to a device", lambda path: os.symlink("/dev/zero", path), 3),
                ("fifo", os.mkfifo, 3), ("folder", os.mkdir, 3),
                ("read-only", lambda path: write(path, key, 0o444), 3),
                ("50 MB", lambda path: write(path, key + b";" * (50 << 20)), 3),
                ("lock held by another process", locked, 5)):
            with self.subTest(name):
                # In StopWatch mode, so that its exit wants to save the mode.
                app = desk.Program(args=["/S"])
                prepare(app.settings_path)
                before = snapshot(app.folder)
                desk.start_shown(self, app)
                asked = time.monotonic()
                self.assertEqual(app.terminate(timeout=10), 0, app.output())
                self.assertLess(time.monotonic() - asked, seconds)
                self.assertEqual(snapshot(app.folder), before)


if __name__ == "__main__":
    unittest.main()
