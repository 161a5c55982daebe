# The notification-area icon with a panel that draws status-notifier items itself: the
# status tray of xfce4-panel, which is both the registry of such items and a host showing
# them. Its menu is exported for the panel to draw (read and clicked here through the bus,
# as the panel does), and a panel that starts after the program still gets the icon, which
# goes back into the session's embedding tray (tint2) when the panel goes. First a registry
# there before the program (status_watcher_standin.py: the panel's status tray takes tint2's
# embedding-tray selection for good, so a real one cannot come first).

import os
import subprocess
import sys
import tempfile
import unittest

from gi.repository import Gio, GLib

import desk

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"

# One panel holding only the status tray, so that it starts without its first-run dialog.
PANEL_CHANNEL = """<?xml version="1.0" encoding="UTF-8"?><channel name="xfce4-panel" version="1.0">
<property name="configver" type="int" value="2"/><property name="panels" type="array"><value type="int" value="1"/>
<property name="panel-1" type="empty"><property name="position" type="string" value="p=8;x=512;y=700"/>
<property name="length" type="uint" value="30"/><property name="size" type="uint" value="28"/><property
name="plugin-ids" type="array"><value type="int" value="1"/></property></property></property><property
name="plugins" type="empty"><property name="plugin-1" type="string" value="systray"/></property></channel>"""


def bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(name, path, interface, method, args=None, signature=None):
    # A method call on the session bus; its reply unpacked into Python values.
    reply = bus().call_sync(name, path, interface, method,
                            GLib.Variant(signature, args) if signature else None,
                            None, Gio.DBusCallFlags.NO_AUTO_START, 5000, None)
    return reply.unpack()


def get(name, path, interface, prop):
    return call(name, path, "org.freedesktop.DBus.Properties", "Get", (interface, prop), "(ss)")[0]


def watcher(prop="IsStatusNotifierHostRegistered", default=False):
    # A property of the panel's registry (by default whether it hosts), or default without one.
    try:
        return get(WATCHER, WATCHER_PATH, WATCHER, prop)
    except GLib.Error:
        return default


class Panel:
    # xfce4-panel with only its status tray (the registry of items and their host), or with
    # standin=True the stand-in registry, which misses the first item registered.
    def __init__(self, test, standin=False):
        channels = os.path.join(os.environ["XDG_CONFIG_HOME"], "xfce4", "xfconf",
                                "xfce-perchannel-xml")
        os.makedirs(channels, exist_ok=True)
        with open(os.path.join(channels, "xfce4-panel.xml"), "w", encoding="utf-8") as f:
            f.write(PANEL_CHANNEL)
        command = [sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                   "status_watcher_standin.py")] if standin else ["xfce4-panel", "--disable-wm-check"]
        with open(tempfile.mktemp(suffix=".log", dir=desk.session_dir()), "wb") as log:
            self.process = subprocess.Popen(command, stdout=log, stdin=subprocess.DEVNULL,
                                            stderr=log, start_new_session=True)
        test.addCleanup(self.stop)
        desk.wait_until(watcher, timeout=20, what="the status tray")

    def stop(self):
        # The panel and the plugin processes it started, by their process group.
        if self.process.poll() is None:
            os.killpg(self.process.pid, 15)
            self.process.wait(10)
        desk.wait_until(lambda: not watcher(), what="the registry to go")


class Item:
    # The program's status-notifier item as the panel sees it.

    def __init__(self, app):
        def find():
            for entry in watcher("RegisteredStatusNotifierItems", []):
                name, _, path = entry.partition("/")
                try:
                    if call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus", "GetConnectionUnixProcessID", (name,),
                            "(s)")[0] == app.process.pid:
                        return name, "/" + path
                except GLib.Error:
                    pass
            return None
        self.name, self.path = desk.wait_until(find, timeout=10, what="the program's item")
        self.menu = get(self.name, self.path, "org.kde.StatusNotifierItem", "Menu")

    def entries(self):
        # The menu's entries as (id, label or type), in order.
        _, layout = call(self.name, self.menu, "com.canonical.dbusmenu", "GetLayout",
                         (0, -1, []), "(iias)")
        return [(child[0], child[1].get("label", child[1].get("type", ""))) for child in layout[2]]

    # The entries' labels as a host learns them that reads them once and then only from
    # ItemsPropertiesUpdated (after LayoutUpdated it asks for no more than each entry's type
    # and children-display). Returns a function giving them as last told, by entry id.
    def labels_as_told(self):
        labels = dict(self.entries())

        def told(_bus, _sender, _path, _interface, _signal, parameters):
            for entry, properties in parameters.unpack()[0]:
                labels[entry] = properties.get("label", labels.get(entry))
        connection = bus()
        connection.signal_subscribe(None, "com.canonical.dbusmenu", "ItemsPropertiesUpdated",
                                    self.menu, None, Gio.DBusSignalFlags.NONE, told)

        def current():
            while GLib.MainContext.default().iteration(False):
                pass
            return labels
        # The shared connection closes with its last reference, and the subscription with it.
        current.connection = connection
        return current

    def click(self, label):
        # Chooses the entry with this label, as the panel does when it is clicked.
        entry = next(i for i, text in self.entries() if text == label)
        call(self.name, self.menu, "com.canonical.dbusmenu", "Event",
             (entry, "clicked", GLib.Variant("i", 0), 0), "(isvu)")


def viewable(app, shown):
    desk.wait_until(lambda: (desk.map_state(app.window) == "IsViewable") == shown,
                    what="the window shown" if shown else "the window hidden")


class TrayPanelTest(unittest.TestCase):
    def test_registries_before_and_after_the_program_get_the_icon_and_give_it_back(self):
        # A registry there at start that misses the item's first registration, as one just
        # started may: the item is registered once more, and no icon is embedded meanwhile.
        registry = Panel(self, standin=True)
        app = desk.start_shown(self, desk.Program(args=["/S"], settings="[Option]\nTaskTray=1\n"))
        Item(app)
        desk.stays(lambda: not desk.tray_icons(app), 1.0, what="no embedded icon")
        # The registry goes: the icon is embedded in tint2.
        registry.stop()
        desk.wait_until(lambda: desk.tray_icons(app), what="the icon in tint2")
        # A real panel comes (after the stand-in: its status tray keeps tint2's embedding-tray
        # selection once it took it).
        panel = Panel(self)
        item = Item(app)
        self.assertEqual([text for _, text in item.entries()], ["Mi_nimize", "separator", "E_xit"])
        # The icon's pictures arrive whole: ARGB32, four bytes a pixel.
        pictures = get(item.name, item.path, "org.kde.StatusNotifierItem", "IconPixmap")
        self.assertTrue(pictures and all(len(p) == w * h * 4 for w, h, p in pictures))
        # One icon at a time: the embedded one steps aside.
        desk.wait_until(lambda: not desk.tray_icons(app), what="the embedded icon to go")
        # The window goes to the panel's icon when minimized, as to a tray.
        desk.minimize(app.window)
        viewable(app, False)
        item.click("_Restore")
        viewable(app, True)
        # The panel goes: the icon is back in the embedding tray.
        panel.stop()
        desk.wait_until(lambda: desk.tray_icons(app), what="the icon back in tint2")
        # And it comes again: the icon goes to it again. Its first entry hides the window
        # and then follows it, as the own menu does; its Exit saves.
        Panel(self)
        item = Item(app)
        labels = item.labels_as_told()
        item.click("Mi_nimize")
        viewable(app, False)
        first = item.entries()[0][0]
        desk.wait_until(lambda: labels()[first] == "_Restore", what="the caption as told")
        self.assertEqual(item.entries()[0][1], "_Restore")
        item.click("E_xit")
        self.assertEqual(app.process.wait(10), 0)
        self.assertRegex(app.read_settings(), r"(?m)^StartForm=3")
        self.assertEqual(app.output(), "")


if __name__ == "__main__":
    unittest.main()
