#!/usr/bin/python3
"""Listens on the accessibility bus as a screen reader does, for the counting benchmark.

Registers for every object, window and focus event, so that programs with accessibility on
send what they would send to a screen reader. Prints "ready" once registered, and on each
SIGUSR1 the number of events received so far; ends on SIGTERM."""
import signal
import sys

import pyatspi
from gi.repository import GLib

received = 0


def count(_event):
    global received
    received += 1


def report():
    print(received, flush=True)
    return GLib.SOURCE_CONTINUE


def main():
    for kind in ("object:", "window:", "focus:"):
        pyatspi.Registry.registerEventListener(count, kind)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, report)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, pyatspi.Registry.stop)
    print("ready", flush=True)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
