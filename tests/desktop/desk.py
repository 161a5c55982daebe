"""Helpers for tests that drive real programs in the private desktop session
(scripts/desktop-session), through its command-line tools (xprop, xwininfo, xdotool,
wmctrl; pactl, parec, sox) and pyatspi. ctest passes the program in PLIMSET_BINARY."""

import os
import re
import select
import shutil
import subprocess
import tempfile
import time

DEFAULT_TIMEOUT = 10.0


def session_dir():
    """The session's temporary folder (set only inside scripts/desktop-session)."""
    return os.environ["PLIMSET_SESSION_DIR"]


def run(*args, check=True, timeout=DEFAULT_TIMEOUT):
    """Runs a tool and returns its standard output as text."""
    done = subprocess.run([str(a) for a in args], capture_output=True, text=True,
                          timeout=timeout, stdin=subprocess.DEVNULL)
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


class Program:
    """A program under test, copied into a fresh folder below the session folder so that a
    settings file kept beside the executable (`settings_path`, written from `settings`
    before the start) lands there and nowhere else. With lines=True it is driven through
    its standard input and output a line at a time (`request`); otherwise its output goes
    to a log. start() again after an end starts the same copy over the settings it left."""

    def __init__(self, binary=None, args=(), settings=None, env=None, lines=False):
        binary = binary or os.environ["PLIMSET_BINARY"]
        self.folder = tempfile.mkdtemp(prefix="run-", dir=session_dir())
        self.binary = os.path.join(self.folder, os.path.basename(binary))
        shutil.copy2(binary, self.binary)
        self.settings_path = self.binary + ".ini"
        if settings is not None:
            with open(self.settings_path, "w", encoding="utf-8") as f:
                f.write(settings)
        self.args = [str(a) for a in args]
        self.env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(self.folder, "config"),
                        **(env or {}))
        self.log_path = os.path.join(self.folder, "output.log")
        self.lines = lines
        self.process = self.window = None

    def start(self):
        pipe = subprocess.PIPE if self.lines else None
        with open(self.log_path, "wb") as log:
            # Unbuffered pipes: select() then sees every line that has not been read.
            self.process = subprocess.Popen(
                [self.binary] + self.args, cwd=self.folder, env=self.env, bufsize=0,
                stdin=pipe or subprocess.DEVNULL, stdout=pipe or log, stderr=log)
        return self

    def wait_window(self, timeout=DEFAULT_TIMEOUT):
        """Waits until a top-level window of this process is viewable and returns its id."""
        def find():
            if self.process.poll() is not None:
                raise RuntimeError("program ended with %s before showing a window:\n%s"
                                   % (self.process.returncode, self.output()))
            return next((w for w in self.windows() if map_state(w) == "IsViewable"), None)
        self.window = wait_until(find, timeout, what="a window of " + self.binary)
        return self.window

    def windows(self):
        """The ids of this process's managed top-level windows, mapped or not."""
        return [w for w in client_list() if window_pid(w) == self.process.pid]

    def request(self, line=None, timeout=DEFAULT_TIMEOUT):
        """Sends a command line, if given, and returns the next line the program writes
        (lines=True) without its line end."""
        if line is not None:
            self.process.stdin.write((line + "\n").encode())
        if not select.select([self.process.stdout], [], [], timeout)[0]:
            raise TimeoutError("no line from %s:\n%s" % (self.binary, self.output()))
        return self.process.stdout.readline().decode("utf-8", "replace").rstrip("\n")

    def output(self):
        """What the program has written to its log so far."""
        with open(self.log_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def close(self, timeout=DEFAULT_TIMEOUT):
        """Closes the main window through the window manager (as the user would) and
        returns the exit code."""
        run("wmctrl", "-i", "-c", hex(self.window), check=False)
        return self.process.wait(timeout)

    def terminate(self, timeout=DEFAULT_TIMEOUT):
        """Sends SIGTERM and returns the exit code."""
        self.process.terminate()
        return self.process.wait(timeout)

    def kill(self):
        """Ends the process if it still runs; for clean-up after a failed test."""
        if self.process is not None:
            self.process.kill()
            self.process.wait()
            for pipe in (self.process.stdin, self.process.stdout):
                if pipe:
                    pipe.close()

    def read_settings(self):
        """The settings file's text, or None when it does not exist."""
        try:
            with open(self.settings_path, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return None


def start_shown(test, app):
    """Starts a Program for a unittest test, ends it at the test's clean-up, and returns it
    once its window is viewable and has settled."""
    app.start()
    test.addCleanup(app.kill)
    app.wait_window()
    settle(0.3)
    return app


# Window properties


def _xprop(wid, *names):
    return run("xprop", "-id", hex(wid), *names, check=False)


def root_property(name):
    return run("xprop", "-root", name, check=False)


def client_list():
    """The window manager's list of managed windows (_NET_CLIENT_LIST), in order."""
    return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", root_property("_NET_CLIENT_LIST"))]


def stacking_order():
    """The managed windows from bottom to top (_NET_CLIENT_LIST_STACKING)."""
    return [int(w, 16) for w in
            re.findall(r"0x[0-9a-fA-F]+", root_property("_NET_CLIENT_LIST_STACKING"))]


def text_property(wid, name):
    """A text property of a window ("" when set empty), or None when it is not set."""
    text = _xprop(wid, name)
    if "not found" in text or "no such atom" in text:
        return None
    m = re.search(r'=\s*"(.*)"\s*$', text, re.S)
    return m.group(1) if m else ""


def has_property(wid, name):
    return "not found" not in _xprop(wid, name)


def taskbar_windows():
    """The windows the panel shows as tasks: managed and not skipping the taskbar."""
    return [w for w in client_list() if "_NET_WM_STATE_SKIP_TASKBAR" not in window_state(w)]


def window_state(wid):
    """The set of _NET_WM_STATE atoms of a window."""
    return set(re.findall(r"_NET_WM_STATE_[A-Z_]+", _xprop(wid, "_NET_WM_STATE")))


def window_pid(wid):
    m = re.search(r"=\s*(\d+)", _xprop(wid, "_NET_WM_PID"))
    return int(m.group(1)) if m else None


def frame_extents(wid):
    """(left, right, top, bottom) from _NET_FRAME_EXTENTS, or None when unset."""
    m = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", _xprop(wid, "_NET_FRAME_EXTENTS"))
    return tuple(int(g) for g in m.groups()) if m else None


def window_name(wid):
    """The window's title (_NET_WM_NAME; quotes and backslashes come escaped by xprop)."""
    m = re.search(r'=\s*"(.*)"\s*$', _xprop(wid, "_NET_WM_NAME"), re.S)
    return m.group(1) if m else None


def minimize_offered(wid):
    """Whether the window's _MOTIF_WM_HINTS let the window manager offer minimize: the
    functions field when flagged (bit 0x8 minimize, inverted by bit 0x1 all), else yes."""
    text = _xprop(wid, "_MOTIF_WM_HINTS")
    hints = [int(n, 0) for n in re.findall(r"0x[0-9a-fA-F]+|\d+", text.partition("=")[2])]
    if len(hints) < 2 or not hints[0] & 0x1:
        return True
    return bool(hints[1] & 0x8) != bool(hints[1] & 0x1)


def wm_hints_iconic(wid):
    """True when the window's WM_STATE says Iconic (minimized)."""
    return "Iconic" in _xprop(wid, "WM_STATE")


def geometry(wid):
    """The client area's absolute position and size, from xwininfo."""
    text = run("xwininfo", "-id", hex(wid))
    return {key: int(re.search(label + r":\s*(-?\d+)", text).group(1)) for key, label in
            (("x", "Absolute upper-left X"), ("y", "Absolute upper-left Y"),
             ("width", "Width"), ("height", "Height"))}


def map_state(wid):
    """IsViewable, IsUnMapped or IsUnviewable; None when the window is gone."""
    m = re.search(r"Map State:\s*(\w+)", run("xwininfo", "-id", hex(wid), check=False))
    return m.group(1) if m else None


def screen_size():
    m = re.search(r"dimensions:\s*(\d+)x(\d+)", run("xdpyinfo"))
    return int(m.group(1)), int(m.group(2))


# The notification area


def parent_window(wid):
    m = re.search(r"Parent window id:\s*(0x[0-9a-fA-F]+)", run("xwininfo", "-children", "-id",
                                                               hex(wid), check=False))
    return int(m.group(1), 16) if m else None


def root_window():
    return int(re.search(r"Window id:\s*(0x[0-9a-fA-F]+)", run("xwininfo", "-root")).group(1), 16)


def unmanaged_windows(program):
    """A program's viewable windows that the window manager does not manage: the icons
    embedded in a tray (whose parent is the tray's window) and pop-ups (menus, tool tips,
    whose parent is the root window)."""
    managed = set(client_list())
    ids = run("xdotool", "search", "--all", "--pid", str(program.process.pid), check=False)
    return [w for w in (int(i) for i in ids.split())
            if w not in managed and map_state(w) == "IsViewable"]


def tray_icons(program):
    """The program's icons in a notification area."""
    root = root_window()
    return [w for w in unmanaged_windows(program) if parent_window(w) not in (root, None)]


def popups(program):
    """The program's open pop-up windows (menus, tool tips)."""
    root = root_window()
    return [w for w in unmanaged_windows(program) if parent_window(w) == root]


def click(wid, button=1):
    """Moves the pointer to the middle of a window and clicks a mouse button there."""
    g = geometry(wid)
    run("xdotool", "mousemove", g["x"] + g["width"] // 2, g["y"] + g["height"] // 2,
        "click", button)


def tooltip(wid, program):
    """The tool tip a program shows while the pointer rests on a window, read through the
    accessibility bus; the pointer is moved away first so the tip is shown afresh."""
    run("xdotool", "mousemove", 0, 0)
    time.sleep(0.3)
    g = geometry(wid)
    for step in range(4):  # a pointer that rests after moving a little, as a hand's does
        run("xdotool", "mousemove", g["x"] + g["width"] // 3 + step, g["y"] + g["height"] // 2)
        time.sleep(0.1)
    acc = atspi_application(pid=program.process.pid)

    def shown():
        tips = [t for t in find_accessibles(acc, role="tool tip") if t.name]
        return tips[-1].name if tips else None
    return wait_until(shown, what="a tool tip")


# Input


def activate(wid):
    """Gives a window the keyboard focus, as a click on its title would, and waits until the
    window manager has done it."""
    run("xdotool", "windowactivate", "--sync", str(wid), check=False)


def press_keys(*keys, window=None, clear_modifiers=True):
    """Presses key combinations (xdotool names: "ctrl+o", "Return", "alt+m") one after the
    other as real keyboard input: into `window` after activating it when given, otherwise
    into whatever has the focus. clear_modifiers=False sends them as they are, with Num Lock
    and Caps Lock left as they stand (xdotool would switch them off for the keys)."""
    if window is not None:
        activate(window)
    run("xdotool", "key", *(["--clearmodifiers"] if clear_modifiers else []), *keys)


def type_text(text, window=None):
    """Types text into `window` after activating it when given, otherwise into whatever has
    the focus, one character every 30 ms as a quick typist would."""
    if window is not None:
        activate(window)
    run("xdotool", "type", "--clearmodifiers", "--delay", "30", text)


def replace_text(text, window=None):
    """Selects everything in the focused field (Ctrl+A) and types text over it."""
    press_keys("ctrl+a", window=window)
    type_text(text)


def focus(acc):
    """Moves the keyboard focus to a control found through the accessibility bus."""
    acc.queryComponent().grabFocus()


def toggle_num_lock():
    press_keys("Num_Lock", clear_modifiers=False)


def minimize(wid):
    run("xdotool", "windowminimize", str(wid))


def resize(wid, width, height):
    """Asks the window manager for a new client size."""
    run("xdotool", "windowsize", str(wid), width, height)


def move(wid, x, y):
    """Asks the window manager to move the window's frame to x, y."""
    run("xdotool", "windowmove", str(wid), x, y)


def raise_window(wid):
    """Asks the window manager to raise the window above the others."""
    run("xdotool", "windowraise", str(wid))


def maximize(wid):
    run("wmctrl", "-i", "-r", hex(wid), "-b", "add,maximized_vert,maximized_horz")


# Accessibility


def atspi_application(name="plimset", timeout=DEFAULT_TIMEOUT, pid=None):
    """The accessible application whose name is name (case ignored), of the process pid
    when given (a program that ended may still be listed for a while)."""
    import pyatspi

    def find():
        desktop = pyatspi.Registry.getDesktop(0)
        apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
        return next((a for a in apps if a is not None and (a.name or "").lower() == name.lower()
                     and pid in (None, a.get_process_id())), None)
    return wait_until(find, timeout, interval=0.2, what="accessible application " + name)


def find_accessibles(root, role=None, name=None):
    """Every descendant of root with the role name ("text", "push button", "menu item"...)
    and/or accessible name given."""
    found, stack = [], [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        if node is not root and role in (None, node.getRoleName()) and name in (None, node.name):
            found.append(node)
        stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
    return found


def find_accessible(root, role=None, name=None, timeout=DEFAULT_TIMEOUT):
    """The first descendant with that role and/or name; waits for it to appear."""
    return wait_until(lambda: next(iter(find_accessibles(root, role, name)), None), timeout,
                      interval=0.2, what="accessible role=%s name=%s" % (role, name))


def accessible_text(acc):
    """The whole text of an accessible with the Text interface."""
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def press(acc):
    """Performs an accessible's first action (a button's or menu item's press)."""
    acc.queryAction().doAction(0)


# Sound (in a module of its own, offered here under this module's name)

from desk_sound import SoundRecorder, sound_levels, sound_rms, sound_streams  # noqa: E402,F401
