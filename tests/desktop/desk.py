# Helpers for tests that drive real programs in the private desktop session
# (scripts/desktop-session) through its command-line tools (xprop, xwininfo, xdotool, wmctrl)
# and pyatspi. ctest passes the program in PLIMSET_BINARY.

import os
import re
import shutil
import subprocess
import tempfile
import time

DEFAULT_TIMEOUT = 10.0


def session_dir():
    return os.environ["PLIMSET_SESSION_DIR"]


def run(*args, check=True, timeout=DEFAULT_TIMEOUT):
    # Runs a tool and returns its standard output.
    done = subprocess.run([str(a) for a in args], capture_output=True, text=True,
                          timeout=timeout, stdin=subprocess.DEVNULL)
    if check and done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (args[0], done.returncode, done.stderr.strip()))
    return done.stdout


def wait_until(predicate, timeout=DEFAULT_TIMEOUT, interval=0.05, what="condition"):
    # Polls predicate until it returns something true, and returns that.
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(interval)
    return value


def stays(predicate, seconds, what="condition"):
    # Asserts that predicate holds for a while: to show that something does NOT happen, for
    # a step of the program's pace plus a margin.
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not predicate():
            raise AssertionError("no longer " + what)
        time.sleep(0.05)


# A program under test, copied into a fresh folder below the session folder so that the
# settings file kept beside the executable (settings_path, written from `settings` before the
# start) lands there; its output goes to a log.
class Program:
    def __init__(self, args=(), settings=None, env=None):
        binary = os.environ["PLIMSET_BINARY"]
        self.folder = tempfile.mkdtemp(prefix="run-", dir=session_dir())
        self.binary = shutil.copy2(binary, os.path.join(self.folder, os.path.basename(binary)))
        self.settings_path, self.log_path = self.binary + ".ini", self.folder + "/output.log"
        if settings is not None:
            with open(self.settings_path, "wb") as f:
                f.write(settings if isinstance(settings, bytes) else settings.encode())
        self.args = [str(a) for a in args]
        self.env = dict(os.environ, XDG_CONFIG_HOME=self.folder + "/config", **(env or {}))
        self.process = self.window = None

    def start(self):
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen([self.binary] + self.args, cwd=self.folder,
                                            env=self.env, stdin=subprocess.DEVNULL,
                                            stdout=log, stderr=log)
        return self

    def wait_window(self, timeout=DEFAULT_TIMEOUT):
        # Waits until a top-level window of this process is viewable and returns its id.
        def find():
            if self.process.poll() is not None:
                raise RuntimeError("program ended with %s before showing a window:\n%s"
                                   % (self.process.returncode, self.output()))
            return next((w for w in self.windows() if map_state(w) == "IsViewable"), None)
        self.window = wait_until(find, timeout, what="a window of " + self.binary)
        return self.window

    def windows(self):
        # This process's managed top-level windows, mapped or not.
        return [w for w in client_list() if window_pid(w) == self.process.pid]

    def other_window(self):
        # A viewable window of this process besides the main one (a dialog, the alert).
        return next((w for w in self.windows()
                     if w != self.window and map_state(w) == "IsViewable"), None)

    def output(self):
        with open(self.log_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def close(self, timeout=DEFAULT_TIMEOUT):
        # Closes the main window through the window manager; returns the exit code.
        run("wmctrl", "-i", "-c", hex(self.window), check=False)
        return self.process.wait(timeout)

    def terminate(self, timeout=DEFAULT_TIMEOUT):
        self.process.terminate()
        return self.process.wait(timeout)

    def kill(self):
        if self.process is not None:
            self.process.kill()
            self.process.wait()

    def read_settings(self):
        if os.path.exists(self.settings_path):
            with open(self.settings_path, encoding="utf-8") as f:
                return f.read()


def start_other(test):
    # A window to hold the focus: a Plimset of its own, without a bus or a hotkey.
    return start_shown(test, Program(["/S"], env={"DBUS_SESSION_BUS_ADDRESS": "unix:path=/none"}))


def start_shown(test, app):
    # Starts a Program, ends it at the test's clean-up, and returns it once its window is
    # viewable and has its frame.
    app.start()
    test.addCleanup(app.kill)
    app.wait_window()
    wait_until(lambda: frame_extents(app.window), what="the window's frame")
    return app


# Window properties


def _xprop(wid, *names):
    return run("xprop", "-id", hex(wid), *names, check=False)


def _numbers(pattern, text):
    m = re.search(pattern, text)
    return tuple(int(g, 0) for g in m.groups()) if m else None


def client_list(stacking=""):
    # The managed windows; with stacking="_STACKING" from bottom to top.
    text = run("xprop", "-root", "_NET_CLIENT_LIST" + stacking, check=False)
    return [int(w, 16) for w in re.findall(r"0x[0-9a-fA-F]+", text)]


def window_state(wid):
    # The set of _NET_WM_STATE atoms of a window.
    return set(re.findall(r"_NET_WM_STATE_[A-Z_]+", _xprop(wid, "_NET_WM_STATE")))


def taskbar_windows():
    # The windows the panel shows as tasks.
    return [w for w in client_list() if "_NET_WM_STATE_SKIP_TASKBAR" not in window_state(w)]


def text_property(wid, name):
    # A text property of a window ("" when set empty), or None when it is not set.
    text = _xprop(wid, name)
    return re.sub(r'^[^=]*=\s*"?(.*?)"?\s*$', r"\1", text, flags=re.S) if "=" in text else None


def window_pid(wid):
    return (_numbers(r"=\s*(\d+)", _xprop(wid, "_NET_WM_PID")) or (None,))[0]


def frame_extents(wid):
    # (left, right, top, bottom) from _NET_FRAME_EXTENTS, or None when unset.
    return _numbers(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", _xprop(wid, "_NET_FRAME_EXTENTS"))


def minimize_offered(wid):
    # Whether _MOTIF_WM_HINTS let the window manager offer minimize (functions bit 0x8,
    # inverted by bit 0x1 all, when the functions are flagged).
    hints = _numbers(r"=\s*(\w+),\s*(\w+)", _xprop(wid, "_MOTIF_WM_HINTS"))
    return not hints or not hints[0] & 0x1 or bool(hints[1] & 0x8) != bool(hints[1] & 0x1)


def iconic(wid):
    # True when the window's WM_STATE says Iconic (minimized).
    return "Iconic" in _xprop(wid, "WM_STATE")


def geometry(wid):
    # The client area's absolute (x, y, width, height).
    return _numbers(r"(?s)upper-left X:\s*(-?\d+).*?upper-left Y:\s*(-?\d+).*?Width:\s*(\d+)"
                    r".*?Height:\s*(\d+)", run("xwininfo", "-id", hex(wid)))


def outer_geometry(wid):
    # (x, y, width, height) with the frame the window manager gives it.
    x, y, w, h = geometry(wid)
    left, right, top, bottom = frame_extents(wid) or (0, 0, 0, 0)
    return (x - left, y - top, w + left + right, h + top + bottom)


def map_state(wid):
    # IsViewable, IsUnMapped or IsUnviewable; None when the window is gone.
    m = re.search(r"Map State:\s*(\w+)", run("xwininfo", "-id", hex(wid), check=False))
    return m.group(1) if m else None


def shown(wid):
    return map_state(wid) == "IsViewable" and not iconic(wid)


def screen_size():
    return _numbers(r"dimensions:\s*(\d+)x(\d+)", run("xdpyinfo"))


# The notification area


def _unmanaged(program, in_tray):
    # The program's viewable unmanaged windows: icons embedded in a tray (whose parent is
    # the tray's window) or pop-ups (menus, tool tips, whose parent is the root).
    managed, root = set(client_list()), _numbers(r"id: (0x[0-9a-f]+)", run("xwininfo", "-root"))
    ids = run("xdotool", "search", "--all", "--pid", str(program.process.pid), check=False)
    parent = lambda w: _numbers(r"Parent window id:\s*(0x[0-9a-fA-F]+)",  # noqa: E731
                                run("xwininfo", "-children", "-id", hex(w), check=False))
    return [w for w in map(int, ids.split()) if w not in managed
            and map_state(w) == "IsViewable" and (parent(w) not in (root, None)) == in_tray]


def tray_icons(program):
    return _unmanaged(program, True)


def popups(program):
    return _unmanaged(program, False)


def click(wid, button=1):
    # Clicks a mouse button in the middle of a window.
    x, y, w, h = geometry(wid)
    run("xdotool", "mousemove", x + w // 2, y + h // 2, "click", button)


# Input and window requests


def activate(wid):
    run("xdotool", "windowactivate", "--sync", str(wid), check=False)


def press_keys(*keys, window=None, clear_modifiers=True):
    # Presses key combinations (xdotool names) as real keyboard input, into `window` after
    # activating it when given. clear_modifiers=False leaves Num Lock and Caps Lock as they
    # stand.
    if window is not None:
        activate(window)
    run("xdotool", "key", *(["--clearmodifiers"] if clear_modifiers else []), *keys)


def minimize(wid):
    run("xdotool", "windowminimize", str(wid))


# Accessibility


def atspi_application(pid=None, timeout=DEFAULT_TIMEOUT):
    # The accessible application "plimset", of process pid when given (one that ended may
    # still be listed for a while).
    import pyatspi

    def find():
        desktop = pyatspi.Registry.getDesktop(0)
        apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
        return next((a for a in apps if a is not None and (a.name or "").lower() == "plimset"
                     and pid in (None, a.get_process_id())), None)
    return wait_until(find, timeout, interval=0.2, what="the accessible application")


def find_accessibles(root, role=None, name=None):
    # Every descendant with this role name ("text", "push button"...) and/or name.
    found, stack = [], [root]
    while stack:
        node = stack.pop()
        if node is not None and node is not root and role in (None, node.getRoleName()) \
                and name in (None, node.name):
            found.append(node)
        if node is not None:
            stack.extend(node.getChildAtIndex(i) for i in reversed(range(node.childCount)))
    return found


def find_accessible(root, role=None, name=None, timeout=DEFAULT_TIMEOUT):
    return wait_until(lambda: next(iter(find_accessibles(root, role, name)), None), timeout,
                      interval=0.2, what="accessible role=%s name=%s" % (role, name))


def accessible_text(acc):
    return acc.queryText().getText(0, -1)


def press(acc):
    # Performs an accessible's first action (a button's press).
    acc.queryAction().doAction(0)
