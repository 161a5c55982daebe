#!/usr/bin/python3
# A stand-in for a panel's status-notifier registry with a host registered in it, on the
# session bus: org.kde.StatusNotifierWatcher at /StatusNotifierWatcher, with its
# RegisterStatusNotifierItem, its properties and signals. It draws nothing and, unlike a
# real panel's status tray, takes no embedding-tray selection from the session's tray, so a
# test can have both kinds of tray at once and take the registry away alone.
#
#     status_watcher_standin.py [--miss-first]
# Prints "ready" once it holds the name; SIGTERM ends it. With --miss-first the first item
# registered is answered but never listed, as by a registry just started whose host has not
# caught up yet: only a second registration of it counts.

import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

SERVICE = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
INTERFACE = "org.kde.StatusNotifierWatcher"
ITEM_PATH = "/StatusNotifierItem"


class Watcher(dbus.service.Object):
    def __init__(self, bus, miss_first):
        super().__init__(bus, PATH)
        self.items = []  # "bus name/object path", in the order registered
        self.to_miss = 1 if miss_first else 0
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus", "org.freedesktop.DBus",
                                "/org/freedesktop/DBus")

    @dbus.service.method(INTERFACE, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        # An item names its bus name, or its object path on the caller's connection.
        entry = (sender + service) if service.startswith("/") else service + ITEM_PATH
        if self.to_miss:
            self.to_miss -= 1
        elif entry not in self.items:
            self.items.append(entry)
            self.StatusNotifierItemRegistered(entry)

    @dbus.service.method(INTERFACE, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(INTERFACE, signature="s")
    def StatusNotifierItemRegistered(self, entry):
        pass

    @dbus.service.signal(INTERFACE, signature="s")
    def StatusNotifierItemUnregistered(self, entry):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0)}

    def owner_changed(self, name, old, new):
        if new:
            return
        for entry in [e for e in self.items if e.split("/", 1)[0] in (name, old)]:
            self.items.remove(entry)
            self.StatusNotifierItemUnregistered(entry)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, sys.argv[1:] == ["--miss-first"])
    name = dbus.service.BusName(SERVICE, bus, do_not_queue=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    print("ready", flush=True)
    loop.run()
    del name, watcher


if __name__ == "__main__":
    main()
