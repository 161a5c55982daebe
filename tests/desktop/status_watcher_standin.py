#!/usr/bin/python3
# A stand-in for a panel's status-notifier registry with a host registered in it, on the
# session bus (org.kde.StatusNotifierWatcher at /StatusNotifierWatcher). It draws nothing and,
# unlike a real panel's status tray, takes no embedding-tray selection from the session's tray.
# The first item registered is answered but never listed, as by a registry just started whose
# host has not caught up yet: only a second registration of it counts. SIGTERM ends it.

import signal

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.kde.StatusNotifierWatcher"


class Watcher(dbus.service.Object):
    items, missed = [], False  # "bus name/object path", in the order registered

    @dbus.service.method(NAME, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        # An item names its bus name, or its object path on the caller's connection.
        entry = (sender + service) if service.startswith("/") else service + "/StatusNotifierItem"
        if self.missed and entry not in self.items:
            self.items.append(entry)
            self.StatusNotifierItemRegistered(entry)
        self.missed = True

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemRegistered(self, entry):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0)}[name]


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
watcher = Watcher(bus, "/StatusNotifierWatcher")
owned = dbus.service.BusName(NAME, bus, do_not_queue=True)
loop = GLib.MainLoop()
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
loop.run()
