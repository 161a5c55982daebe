#!/usr/bin/python3
# A stand-in for a desktop's GlobalShortcuts portal on the session bus, following the
# published interface (org.freedesktop.portal.GlobalShortcuts, version 2): CreateSession,
# BindShortcuts, ConfigureShortcuts, the Request objects' Response signal, the Session's
# Close, Activated, and the interface's version property.
#
# Why a stand-in: a real desktop's portal binds what it is asked for or asks its user, so the
# answers of a desktop that refuses, fails, binds another key or binds none cannot be had from
# one in a test session, nor what the program asked it. The stand-in gives those answers, and
# records each call.
#
#     shortcut_portal_standin.py MODE LOG
# MODE: "bind" (binds the preferred trigger), "other" (binds Ctrl+Alt+P instead), "none"
# (binds the shortcut with no trigger), "refuse" (the user declines the binding: response 1),
# "fail" (the binding ends some other way: response 2), "nosession" (no session is opened,
# as on a desktop that binds no shortcuts for programs). Each call is written to LOG as a
# line of JSON. SIGUSR1 activates the bound shortcut of the last session.

import json
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
INTERFACE = "org.freedesktop.portal.GlobalShortcuts"
Service = dbus.service


class Request(Service.Object):
    @Service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


class Session(Service.Object):
    @Service.method("org.freedesktop.portal.Session")
    def Close(self):
        note(call="Close", session=self.__dbus_object_path__)
        portal.sessions.pop(self.__dbus_object_path__, None)
        self.remove_from_connection()


def note(**entry):
    # D-Bus values are Python's own types underneath, which json writes as such.
    with open(sys.argv[2], "a", encoding="utf-8") as f:
        f.write(json.dumps(entry) + "\n")


def handle(kind, sender, token):
    return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)


class Portal(Service.Object):
    mode, sessions = sys.argv[1], {}  # session path -> bound shortcut ids

    def answer(self, sender, token, response, results):
        # Returns the request's path and sends its Response once the call has returned.
        request = Request(bus, handle("request", sender, token))
        GLib.timeout_add(50, lambda: request.Response(dbus.UInt32(response), dbus.Dictionary(
            results, signature="sv")) or request.remove_from_connection() or False)
        return dbus.ObjectPath(request.__dbus_object_path__)

    @Service.method(INTERFACE, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender):
        note(call="CreateSession", options=options)
        if self.mode == "nosession":
            return self.answer(sender, options["handle_token"], 2, {})
        path = handle("session", sender, options["session_handle_token"])
        Session(bus, path)
        self.sessions[path] = []
        return self.answer(sender, options["handle_token"], 0, {"session_handle": path})

    @Service.method(INTERFACE, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                    sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        note(call="BindShortcuts", session=str(session), shortcuts=shortcuts)
        if self.mode in ("refuse", "fail"):
            return self.answer(sender, options["handle_token"], 1 + (self.mode == "fail"), {})
        bound = [dbus.Struct((i, dbus.Dictionary({"description": p.get("description", ""),
            "trigger_description": {"other": "Ctrl+Alt+P", "none": ""}.get(
                self.mode, str(p.get("preferred_trigger", "")))}, signature="sv")))
            for i, p in shortcuts]
        self.sessions[str(session)] = [str(s[0]) for s in shortcuts]
        return self.answer(sender, options["handle_token"], 0,
                           {"shortcuts": dbus.Array(bound, signature="(sa{sv})")})

    @Service.method(INTERFACE, in_signature="osa{sv}", out_signature="")
    def ConfigureShortcuts(self, session, parent_window, options):
        note(call="ConfigureShortcuts", session=str(session))

    @Service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if (interface, name) == (INTERFACE, "version"):
            return dbus.UInt32(2)
        raise dbus.exceptions.DBusException(name, name="org.freedesktop.DBus.Error.UnknownProperty")

    @Service.signal(INTERFACE, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    def activate_last(self):
        for path, ids in list(self.sessions.items())[-1:]:
            for shortcut_id in ids:
                self.Activated(dbus.ObjectPath(path), shortcut_id, dbus.UInt64(0),
                               dbus.Dictionary({}, signature="sv"))
        return False


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
portal = Portal(bus, PATH)
name = Service.BusName("org.freedesktop.portal.Desktop", bus, do_not_queue=True)
loop = GLib.MainLoop()
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1,
                     lambda: GLib.idle_add(portal.activate_last) and True)
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
print("ready", flush=True)
loop.run()
