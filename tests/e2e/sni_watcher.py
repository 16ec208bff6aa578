#!/usr/bin/python3
"""A stand-in org.kde.StatusNotifierWatcher with a host registered, as a
panel provides it: takes items' registrations and writes one line per item
to the log file given, "item <service name> <sender>".

Usage: sni_watcher.py LOG
"""
import sys

from gi.repository import Gio, GLib

XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>"""

log = sys.argv[1]
items = []


def on_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        service = parameters.unpack()[0]
        items.append(service)
        with open(log, "a", encoding="utf-8") as out:
            out.write(f"item {service} {sender}\n")
        connection.emit_signal(None, path, interface, "StatusNotifierItemRegistered",
                               GLib.Variant("(s)", (service,)))
    invocation.return_value(None)


def on_get(connection, sender, path, interface, name):
    return {
        "RegisteredStatusNotifierItems": GLib.Variant("as", items),
        "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
        "ProtocolVersion": GLib.Variant("i", 0),
    }[name]


interface_info = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]


def on_bus(connection, name):
    connection.register_object("/StatusNotifierWatcher", interface_info, on_call, on_get, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.StatusNotifierWatcher",
                 Gio.BusNameOwnerFlags.NONE, on_bus, None, None)
GLib.MainLoop().run()
