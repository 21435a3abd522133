#!/usr/bin/python3
"""A stand-in for a desktop's notification service, on the bus whose address
is the first argument. Each Notify call prints its arguments as one JSON line
and is answered with a new id; then the service reports a click on another
program's notification, and a click on this one ("default" action).

usage: notification_service.py BUS_ADDRESS   (prints "ready" once it owns its name)"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"


class Service(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.next_id = 1

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, app_icon, summary, body, actions, hints, timeout):
        new_id = int(replaces_id) or self.next_id
        self.next_id += 1
        print(json.dumps({"app_name": str(app_name), "replaces_id": int(replaces_id), "app_icon": str(app_icon),
                          "summary": str(summary), "body": str(body), "actions": [str(a) for a in actions],
                          "timeout": int(timeout), "id": new_id}), flush=True)
        GLib.timeout_add(50, self.click, new_id)
        return dbus.UInt32(new_id)

    def click(self, notification_id):
        self.ActionInvoked(dbus.UInt32(notification_id + 1000), "default")
        self.ActionInvoked(dbus.UInt32(notification_id), "default")
        return False

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["actions", "body"]

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, notification_id, action):
        pass

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, notification_id, reason):
        pass


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(sys.argv[1])
    name = dbus.service.BusName(NAME, bus)
    service = Service(bus)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    # Ends with its bus, or when the test closes its input.
    GLib.io_add_watch(sys.stdin, GLib.IO_HUP | GLib.IO_IN, lambda *args: loop.quit())
    bus.call_on_disconnection(lambda connection: loop.quit())
    loop.run()
    del name, service


if __name__ == "__main__":
    main()
