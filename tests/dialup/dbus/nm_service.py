#!/usr/bin/python3
"""A stand-in for NetworkManager (and logind's PowerOff) on the bus whose
address is the first argument, with what Vesk uses of them: the connection
profiles, ActivateConnection and DeactivateConnection, the ActiveConnections
property, active connections and devices with their properties, and their
StateChanged and PropertiesChanged signals. Profiles: "MyISP" (a modem that
answers), "Busy ISP" (a modem whose line is busy), "Office LAN" (up at the
start) and the loopback. Each call of a method prints one JSON line.

usage: nm_service.py BUS_ADDRESS [--logind]   (prints "ready" once it owns its names)"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NM = "org.freedesktop.NetworkManager"
ROOT = "/org/freedesktop/NetworkManager"
PROPS = "org.freedesktop.DBus.Properties"
ACTIVE = NM + ".Connection.Active"
DEVICE = NM + ".Device"
STEP_MS = 30


def say(**call):
    print(json.dumps(call), flush=True)


class PropertyObject(dbus.service.Object):
    """An object whose properties are a dictionary per interface."""

    def __init__(self, bus, path, props):
        super().__init__(bus, path)
        self.path = path
        self.props = props

    @dbus.service.method(PROPS, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.props[interface][name]

    @dbus.service.method(PROPS, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface not in self.props:
            raise dbus.exceptions.DBusException("no such interface", name="org.freedesktop.DBus.Error.UnknownInterface")
        return dbus.Dictionary(self.props[interface], signature="sv")

    @dbus.service.signal(PROPS, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    def set(self, interface, name, value):
        self.props[interface][name] = value
        self.PropertiesChanged(interface, dbus.Dictionary({name: value}, signature="sv"), dbus.Array([], signature="s"))


class Device(PropertyObject):
    def __init__(self, bus, number, interface, kind, state, extra=None):
        props = {DEVICE: {"Interface": interface, "DeviceType": dbus.UInt32(kind), "State": dbus.UInt32(state)},
                 DEVICE + ".Statistics": {"TxBytes": dbus.UInt64(1200), "RxBytes": dbus.UInt64(34000),
                                          "RefreshRateMs": dbus.UInt32(0)}}
        props.update(extra or {})
        super().__init__(bus, "%s/Devices/%d" % (ROOT, number), props)

    @dbus.service.signal(DEVICE, signature="uuu")
    def StateChanged(self, new_state, old_state, reason):
        pass

    def change(self, state, reason=0):
        old = self.props[DEVICE]["State"]
        self.props[DEVICE]["State"] = dbus.UInt32(state)
        self.StateChanged(dbus.UInt32(state), old, dbus.UInt32(reason))


class Active(PropertyObject):
    def __init__(self, bus, number, profile, device, state):
        super().__init__(bus, "%s/ActiveConnection/%d" % (ROOT, number), {ACTIVE: {
            "Id": profile.id, "Type": profile.type, "State": dbus.UInt32(state),
            "Connection": dbus.ObjectPath(profile.path),
            "Devices": dbus.Array([dbus.ObjectPath(device.path)], signature="o")}})

    @dbus.service.signal(ACTIVE, signature="uu")
    def StateChanged(self, state, reason):
        pass

    def change(self, state, reason=0):
        self.props[ACTIVE]["State"] = dbus.UInt32(state)
        self.StateChanged(dbus.UInt32(state), dbus.UInt32(reason))


class Profile(dbus.service.Object):
    def __init__(self, bus, number, ident, kind, device, busy=False):
        self.path = "%s/Settings/%d" % (ROOT, number)
        super().__init__(bus, self.path)
        self.id, self.type, self.device, self.busy = ident, kind, device, busy

    @dbus.service.method(NM + ".Settings.Connection", out_signature="a{sa{sv}}")
    def GetSettings(self):
        return {"connection": dbus.Dictionary({"id": self.id, "type": self.type, "uuid": "u-" + self.id},
                                              signature="sv")}


class Settings(dbus.service.Object):
    def __init__(self, bus, profiles):
        super().__init__(bus, ROOT + "/Settings")
        self.profiles = profiles

    @dbus.service.method(NM + ".Settings", out_signature="ao")
    def ListConnections(self):
        return dbus.Array([dbus.ObjectPath(p.path) for p in self.profiles], signature="o")


class Manager(PropertyObject):
    def __init__(self, bus):
        super().__init__(bus, ROOT, {NM: {"ActiveConnections": dbus.Array([], signature="o")}})
        self.bus = bus
        self.modem = Device(bus, 1, "ttyUSB0", 8, 30)
        self.eth = Device(bus, 2, "eth0", 1, 100, {DEVICE + ".Wired": {"Speed": dbus.UInt32(100)}})
        self.lo = Device(bus, 3, "lo", 32, 100)
        self.profiles = [Profile(bus, 1, "MyISP", "gsm", self.modem),
                         Profile(bus, 2, "Busy ISP", "gsm", self.modem, busy=True),
                         Profile(bus, 3, "Office LAN", "802-3-ethernet", self.eth),
                         Profile(bus, 4, "lo", "loopback", self.lo)]
        self.settings = Settings(bus, self.profiles)
        self.numbers = 0
        self.active = []
        self.add(self.profiles[2], 2)
        self.add(self.profiles[3], 2)

    def add(self, profile, state):
        self.numbers += 1
        active = Active(self.bus, self.numbers, profile, profile.device, state)
        self.active.append(active)
        self.publish()
        return active

    def remove(self, active):
        self.active.remove(active)
        self.publish()
        active.remove_from_connection()

    def publish(self):
        self.set(NM, "ActiveConnections", dbus.Array([dbus.ObjectPath(a.path) for a in self.active], signature="o"))

    @dbus.service.method(NM, in_signature="ooo", out_signature="o")
    def ActivateConnection(self, connection, device, specific):
        say(call="ActivateConnection", connection=str(connection), device=str(device), specific=str(specific))
        profile = next((p for p in self.profiles if p.path == connection), None)
        if profile is None:
            raise dbus.exceptions.DBusException("no such connection", name=NM + ".ManagerError.UnknownConnection")
        active = self.add(profile, 1)
        steps = [(40, 0), (50, 0), (120, 23)] if profile.busy else [(40, 0), (50, 0), (60, 0), (70, 0), (100, 0)]
        delay = 0
        for state, reason in steps:
            delay += STEP_MS
            GLib.timeout_add(delay, self.step, active, state, reason)
        return dbus.ObjectPath(active.path)

    def step(self, active, state, reason):
        if active not in self.active:
            return False
        self.modem.change(state, reason)
        if state == 100:
            active.change(2)
        elif state == 120:
            active.change(4, 3)
            self.modem.change(30)
            self.remove(active)
        return False

    @dbus.service.method(NM, in_signature="o")
    def DeactivateConnection(self, path):
        say(call="DeactivateConnection", path=str(path))
        active = next((a for a in self.active if a.path == path), None)
        if active is None:
            raise dbus.exceptions.DBusException("not active", name=NM + ".ManagerError.ConnectionNotActive")
        active.change(3)
        GLib.timeout_add(STEP_MS, self.down, active)

    def down(self, active):
        active.change(4, 2)
        self.remove(active)
        return False


class Logind(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/login1")

    @dbus.service.method("org.freedesktop.login1.Manager", in_signature="b")
    def PowerOff(self, interactive):
        say(call="PowerOff", interactive=bool(interactive))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(sys.argv[1])
    names = [dbus.service.BusName(NM, bus)]
    manager = Manager(bus)
    if "--logind" in sys.argv:
        names.append(dbus.service.BusName("org.freedesktop.login1", bus))
        logind = Logind(bus)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    # Ends with its bus, or when the test closes its input.
    GLib.io_add_watch(sys.stdin, GLib.IO_HUP | GLib.IO_IN, lambda *args: loop.quit())
    bus.call_on_disconnection(lambda connection: loop.quit())
    loop.run()
    del names, manager


if __name__ == "__main__":
    main()
