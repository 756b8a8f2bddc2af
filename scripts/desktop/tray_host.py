"""A stand-in for a panel's tray on a private desktop, which has none: it owns
the StatusNotifierWatcher name on the session bus with a host registered, so
that programs show their tray icons, keeps the items that register, and
clicks one as a tray does, by calling the item's Activate method.
    tray_host.py            serve until killed (run by start())
The end-to-end tests and the screenshot script use start() and click()."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WATCHER = "org.kde.StatusNotifierWatcher"
INTERFACE = f"""<node><interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>"""


def serve():
    items = []
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)

    def call(connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            (service,) = parameters.unpack()
            # An item names its bus name, or only its object path on the caller's name.
            item = f"{sender}{service}" if service.startswith("/") else f"{service}/StatusNotifierItem"
            if item not in items:
                items.append(item)
                connection.emit_signal(None, "/StatusNotifierWatcher", WATCHER, "StatusNotifierItemRegistered",
                                       GLib.Variant("(s)", (item,)))
        invocation.return_value(None)

    def get(connection, sender, path, interface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", items)
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    def acquired(connection, name):
        connection.register_object("/StatusNotifierWatcher", node.interfaces[0], call, get, None)

    Gio.bus_own_name(Gio.BusType.SESSION, WATCHER, Gio.BusNameOwnerFlags.NONE, acquired, None, None)
    GLib.MainLoop().run()


def _bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def start():
    """Starts the tray and waits until it serves; returns its process."""
    host = subprocess.Popen([sys.executable, os.path.abspath(__file__)])
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        owner = _bus().call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "NameHasOwner", GLib.Variant("(s)", (WATCHER,)), None, Gio.DBusCallFlags.NONE,
                                 1000, None)
        if owner.unpack()[0]:
            return host
        time.sleep(0.1)
    host.kill()
    raise AssertionError("the tray did not start")


def items():
    reply = _bus().call_sync(WATCHER, "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties", "Get",
                             GLib.Variant("(ss)", (WATCHER, "RegisteredStatusNotifierItems")), None,
                             Gio.DBusCallFlags.NONE, 1000, None)
    return list(reply.unpack()[0])


def click(item, x=700, y=10):
    """Clicks the item as a tray at the top of the screen does: Activate at the pointer."""
    service, _, path = item.partition("/")
    _bus().call_sync(service, "/" + path, "org.kde.StatusNotifierItem", "Activate", GLib.Variant("(ii)", (x, y)),
                     None, Gio.DBusCallFlags.NONE, 5000, None)


if __name__ == "__main__":
    serve()
