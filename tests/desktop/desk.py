"""Helpers for tests that drive real programs in the private desktop session.

The tests run inside scripts/desktop-session, which exports DISPLAY, the buses and
PLIMSET_SESSION_DIR. ctest passes the program under test in PLIMSET_BINARY.

    import desk
    with desk.Program() as app:             # a copy of plimset in a folder of its own
        win = app.wait_window()
        desk.key(win, "ctrl+o")
        print(desk.window_state(win), desk.frame_extents(win))
        code = app.close()                  # asks the window manager to close it

Everything here uses the command-line tools of the session (xdotool, xprop, xwininfo,
wmctrl, import) and, for accessibility, pyatspi.
"""

import os
import re
import select
import shutil
import subprocess
import tempfile
import time

DEFAULT_TIMEOUT = 10.0


def session_dir():
    """The session's temporary folder; tests may create files below it."""
    path = os.environ.get("PLIMSET_SESSION_DIR")
    if not path:
        raise RuntimeError("not inside scripts/desktop-session (PLIMSET_SESSION_DIR unset)")
    return path


def run(*args, check=True, timeout=DEFAULT_TIMEOUT):
    """Runs a tool and returns its standard output as text."""
    done = subprocess.run(
        [str(a) for a in args], capture_output=True, text=True, timeout=timeout,
        stdin=subprocess.DEVNULL)
    if check and done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (args[0], done.returncode, done.stderr.strip()))
    return done.stdout


def wait_until(predicate, timeout=DEFAULT_TIMEOUT, interval=0.05, what="condition"):
    """Polls predicate until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(interval)


def settle(seconds=0.3):
    """Gives the window manager and the panel a moment to react to a change."""
    time.sleep(seconds)


# ---------------------------------------------------------------------------------------
# Programs


class Program:
    """A program under test, started in a folder of its own.

    By default the binary is copied into a fresh folder below the session folder, so a
    settings file kept beside the executable lands there and nowhere else (`folder`,
    `settings_path`). XDG_CONFIG_HOME points into the same folder for programs that keep
    their settings there instead. `settings` (text) is written as the settings file
    before the start. With stdin=True the program's standard input is a pipe
    (`send_line`). Its output goes to `log_path`; with lines=True its standard output is a
    pipe instead, read a line at a time (`read_line`, `request`).
    """

    def __init__(self, binary=None, args=(), settings=None, copy=True, stdin=False,
                 env=None, name=None, lines=False):
        binary = binary or os.environ.get("PLIMSET_BINARY")
        if not binary:
            raise RuntimeError("PLIMSET_BINARY is not set")
        self.folder = tempfile.mkdtemp(prefix="run-", dir=session_dir())
        exe_name = name or os.path.basename(binary)
        if copy:
            self.binary = os.path.join(self.folder, exe_name)
            shutil.copy2(binary, self.binary)
        else:
            self.binary = binary
        self.settings_path = os.path.join(self.folder, exe_name + ".ini")
        if settings is not None:
            with open(self.settings_path, "w", encoding="utf-8") as f:
                f.write(settings)
        self.args = [str(a) for a in args]
        self.env = dict(os.environ)
        self.env["XDG_CONFIG_HOME"] = os.path.join(self.folder, "config")
        self.env.update(env or {})
        self.log_path = os.path.join(self.folder, "output.log")
        self.stdin = stdin
        self.lines = lines
        self._pending = b""
        self.process = None
        self.window = None

    def start(self):
        self._log = open(self.log_path, "wb")
        self.process = subprocess.Popen(
            [self.binary] + self.args, cwd=self.folder, env=self.env,
            stdin=subprocess.PIPE if self.stdin else subprocess.DEVNULL,
            stdout=subprocess.PIPE if self.lines else self._log,
            stderr=self._log if self.lines else subprocess.STDOUT)
        return self

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.kill()
        return False

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_window(self, timeout=DEFAULT_TIMEOUT, name=None, cls=None):
        """Waits until a top-level window of this process is viewable and returns its id.

        With name, only a window whose title contains it counts; with cls, only one whose
        WM_CLASS instance or class equals it (case ignored)."""
        def find():
            if not self.running():
                raise RuntimeError("program ended with %s before showing a window:\n%s"
                                   % (self.process.returncode, self.output()))
            for wid in client_list():
                if window_pid(wid) != self.pid or map_state(wid) != "IsViewable":
                    continue
                if name is not None and name not in (window_name(wid) or ""):
                    continue
                if cls is not None and cls.lower() not in (
                        c.lower() for c in window_class(wid) or ()):
                    continue
                return wid
            return None
        self.window = wait_until(find, timeout, what="a window of " + self.binary)
        return self.window

    def windows(self):
        """The ids of this process's managed top-level windows, mapped or not."""
        return [w for w in client_list() if window_pid(w) == self.pid]

    def send_line(self, line):
        self.process.stdin.write((line + "\n").encode())
        self.process.stdin.flush()

    def read_line(self, timeout=DEFAULT_TIMEOUT):
        """The next line the program writes (lines=True), without its line end."""
        deadline = time.monotonic() + timeout
        fd = self.process.stdout.fileno()
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                raise TimeoutError("no line from %s; output so far:\n%s"
                                   % (self.binary, self.output()))
            chunk = os.read(fd, 4096)
            if not chunk:
                raise EOFError("%s ended its output:\n%s" % (self.binary, self.output()))
            self._pending += chunk
        line, self._pending = self._pending.split(b"\n", 1)
        return line.decode("utf-8", "replace")

    def request(self, line, timeout=DEFAULT_TIMEOUT):
        """Sends a command line and returns the one-line answer."""
        self.send_line(line)
        return self.read_line(timeout)

    def output(self):
        """What the program has written to its standard output and error so far."""
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def close(self, timeout=DEFAULT_TIMEOUT):
        """Closes the main window through the window manager (as the user would) and
        returns the exit code."""
        if self.running() and self.window is not None:
            run("wmctrl", "-i", "-c", hex(self.window), check=False)
        return self.wait(timeout)

    def terminate(self, timeout=DEFAULT_TIMEOUT):
        """Sends SIGTERM and returns the exit code."""
        if self.running():
            self.process.terminate()
        return self.wait(timeout)

    def wait(self, timeout=DEFAULT_TIMEOUT):
        code = self.process.wait(timeout)
        self._log.close()
        return code

    def kill(self):
        """Ends the process if it still runs; for clean-up after a failed test."""
        if self.process is None:
            return
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for pipe in (self.process.stdin, self.process.stdout):
            if pipe:
                try:
                    pipe.close()
                except OSError:
                    pass
        self._log.close()

    def read_settings(self):
        """The settings file's text, or None when it does not exist."""
        try:
            with open(self.settings_path, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return None


# ---------------------------------------------------------------------------------------
# Window properties


def _xprop(wid, *names):
    return run("xprop", "-id", hex(wid) if isinstance(wid, int) else wid, *names, check=False)


def root_property(name):
    return run("xprop", "-root", name, check=False)


def client_list():
    """The window manager's list of managed windows (_NET_CLIENT_LIST), in order."""
    text = root_property("_NET_CLIENT_LIST")
    return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", text)]


def taskbar_windows():
    """The windows the panel shows as tasks: managed and not skipping the taskbar."""
    return [w for w in client_list() if "_NET_WM_STATE_SKIP_TASKBAR" not in window_state(w)]


def window_state(wid):
    """The set of _NET_WM_STATE atoms of a window."""
    text = _xprop(wid, "_NET_WM_STATE")
    return set(re.findall(r"_NET_WM_STATE_[A-Z_]+", text))


def window_pid(wid):
    m = re.search(r"=\s*(\d+)", _xprop(wid, "_NET_WM_PID"))
    return int(m.group(1)) if m else None


def frame_extents(wid):
    """(left, right, top, bottom) from _NET_FRAME_EXTENTS, or None when unset."""
    m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", _xprop(wid, "_NET_FRAME_EXTENTS"))
    return tuple(int(g) for g in m.groups()) if m else None


def window_name(wid):
    """The window's title: _NET_WM_NAME, else WM_NAME (UTF-8 under the session's
    C.UTF-8 locale; quotes and backslashes come escaped as xprop writes them)."""
    for prop in ("_NET_WM_NAME", "WM_NAME"):
        m = re.search(r'=\s*"(.*)"\s*$', _xprop(wid, prop), re.S)
        if m:
            return m.group(1)
    return None


def window_class(wid):
    """(instance, class) from WM_CLASS."""
    found = re.findall(r'"([^"]*)"', _xprop(wid, "WM_CLASS"))
    return tuple(found[:2]) if found else None


def motif_hints(wid):
    """The five numbers of _MOTIF_WM_HINTS (flags, functions, decorations, input mode,
    status), or None when unset. Functions bit 0x8 offers minimize (unless bit 0x1, all,
    is set, which inverts the meaning)."""
    text = _xprop(wid, "_MOTIF_WM_HINTS")
    nums = re.findall(r"0x[0-9a-fA-F]+|\d+", text.split("=", 1)[-1]) if "=" in text else []
    return tuple(int(n, 0) for n in nums) if nums else None


def wm_hints_iconic(wid):
    """True when the window's WM_STATE says Iconic (minimized)."""
    return "Iconic" in _xprop(wid, "WM_STATE")


def geometry(wid):
    """The client area's absolute position and size and its map state, from xwininfo."""
    text = run("xwininfo", "-id", hex(wid))
    def num(label):
        return int(re.search(label + r":\s*(-?\d+)", text).group(1))
    return {
        "x": num("Absolute upper-left X"),
        "y": num("Absolute upper-left Y"),
        "width": num("Width"),
        "height": num("Height"),
        "map_state": re.search(r"Map State:\s*(\w+)", text).group(1),
    }


def map_state(wid):
    """IsViewable, IsUnMapped or IsUnviewable; None when the window is gone."""
    text = run("xwininfo", "-id", hex(wid), check=False)
    m = re.search(r"Map State:\s*(\w+)", text)
    return m.group(1) if m else None


def screen_size():
    m = re.search(r"dimensions:\s*(\d+)x(\d+)", run("xdpyinfo"))
    return int(m.group(1)), int(m.group(2))


def active_window():
    m = re.search(r"0x[0-9a-fA-F]+", root_property("_NET_ACTIVE_WINDOW"))
    return int(m.group(0), 16) if m else None


# ---------------------------------------------------------------------------------------
# Input


def activate(wid):
    run("xdotool", "windowactivate", "--sync", str(wid), check=False)


def key(wid, *keys):
    """Sends key combinations (xdotool names: "ctrl+o", "Return", "F1") to a window,
    activating it first so the keys arrive as real keyboard input."""
    activate(wid)
    run("xdotool", "key", "--clearmodifiers", *keys)


def type_text(wid, text):
    activate(wid)
    run("xdotool", "type", "--delay", "20", text)


def click(x, y, button=1):
    """Clicks at an absolute screen position."""
    run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))


def click_in(wid, x, y, button=1):
    """Clicks at a position relative to a window's client area."""
    g = geometry(wid)
    click(g["x"] + x, g["y"] + y, button)


def minimize(wid):
    run("xdotool", "windowminimize", str(wid))


def screenshot(path):
    """Saves the whole screen as an image (PNG by the file name)."""
    run("import", "-window", "root", path)
    return path


# ---------------------------------------------------------------------------------------
# Sound


class SoundRecorder:
    """Records what plays through the session's null sink into a WAV file (mono, 44.1 kHz).

        with desk.SoundRecorder() as rec:
            ...                                # make the program sound
        self.assertGreater(desk.sound_rms(rec.path), 0.01)

    Capture is not sample-exact: assert energy, not duration."""

    def __init__(self, path=None):
        self.path = path or tempfile.mktemp(suffix=".wav", dir=session_dir())
        self.process = None

    def __enter__(self):
        sink = os.environ.get("PLIMSET_PULSE_SINK", "plimset_sink")
        before = _recording_streams()
        self.process = subprocess.Popen(
            ["parec", "-d", sink + ".monitor", "--rate=44100", "--channels=1",
             "--format=s16le", "--latency-msec=50", "--file-format=wav", self.path],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        # Sound before parec's stream exists would be missed: wait for the stream.
        wait_until(lambda: _recording_streams() > before, what="the recording stream")
        time.sleep(0.1)
        return self

    def __exit__(self, *exc):
        time.sleep(0.2)
        self.process.terminate()
        self.process.wait(DEFAULT_TIMEOUT)
        self.process.stderr.close()
        return False


def _recording_streams():
    return len(run("pactl", "list", "short", "source-outputs").splitlines())


def sound_rms(path, bandpass_hz=None):
    """The RMS amplitude (0 to 1) of a recording, optionally of a band around a frequency
    only (sox's "bandpass F 100h")."""
    effects = ["bandpass", str(bandpass_hz), "100h"] if bandpass_hz else []
    done = subprocess.run(["sox", path, "-n"] + effects + ["stat"], capture_output=True,
                          text=True, timeout=DEFAULT_TIMEOUT, stdin=subprocess.DEVNULL)
    if re.search(r"Samples read:\s*0\s*$", done.stderr, re.M):
        return 0.0  # an idle sink sends nothing at all
    m = re.search(r"RMS\s+amplitude:\s*([0-9.]+(?:[eE][-+]?\d+)?)", done.stderr)
    if not m:
        raise RuntimeError("sox could not read %s: %s" % (path, done.stderr.strip()))
    return float(m.group(1))


# ---------------------------------------------------------------------------------------
# Accessibility


def atspi_application(name="plimset", timeout=DEFAULT_TIMEOUT):
    """The accessible application whose name is name (case ignored)."""
    import pyatspi

    def find():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and (app.name or "").lower() == name.lower():
                return app
        return None
    return wait_until(find, timeout, interval=0.2, what="accessible application " + name)


def find_accessibles(root, role=None, name=None):
    """Every descendant of root with the role name ("text", "push button", "frame"...)
    and/or accessible name given."""
    found = []
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        if ((role is None or node.getRoleName() == role)
                and (name is None or node.name == name)) and node is not root:
            found.append(node)
        stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
    return found


def find_accessible(root, role=None, name=None, timeout=DEFAULT_TIMEOUT):
    """The first descendant with that role and/or name; waits for it to appear."""
    def first():
        items = find_accessibles(root, role, name)
        return items[0] if items else None
    return wait_until(first, timeout, interval=0.2,
                      what="accessible role=%s name=%s" % (role, name))


def accessible_text(acc):
    """The whole text of an accessible with the Text interface."""
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def press(acc):
    """Performs an accessible's first action (a button's press)."""
    acc.queryAction().doAction(0)
