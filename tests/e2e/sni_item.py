#!/usr/bin/python3
"""Asks a StatusNotifierItem on the session bus what a panel would show, or
clicks it as a panel does.

Usage: sni_item.py SERVICE title|tooltip|icon|activate|contextmenu
  title, tooltip: the text; icon: "WxH sha1-of-pixels" of each picture.
"""
import hashlib
import sys

from gi.repository import Gio, GLib

service, what = sys.argv[1], sys.argv[2]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
ITEM = "org.kde.StatusNotifierItem"


def call(interface, method, arguments, reply_type):
    return bus.call_sync(service, "/StatusNotifierItem", interface, method, arguments,
                         GLib.VariantType.new(reply_type), Gio.DBusCallFlags.NONE, 5000, None)


def prop(name):
    return call("org.freedesktop.DBus.Properties", "Get", GLib.Variant("(ss)", (ITEM, name)),
                "(v)").unpack()[0]


if what == "title":
    print(prop("Title"))
elif what == "tooltip":
    print(prop("ToolTip")[2])
elif what == "icon":
    for width, height, pixels in prop("IconPixmap"):
        print(f"{width}x{height} {hashlib.sha1(bytes(pixels)).hexdigest()}")
elif what in ("activate", "contextmenu"):
    method = "Activate" if what == "activate" else "ContextMenu"
    call(ITEM, method, GLib.Variant("(ii)", (10, 10)), "()")
else:
    sys.exit(f"unknown request {what}")
