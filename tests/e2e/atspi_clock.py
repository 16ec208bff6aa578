"""Reads the clock window over AT-SPI, as a screen reader does.

Usage: atspi_clock.py tree
           prints "description TEXT", then "ROLE<tab>NAME" for each child
       atspi_clock.py watch COMMAND [ARGS...]
           runs the command and prints the first description the window
           announces after it (a property-change event); fails after 5 s

The session bus in DBUS_SESSION_BUS_ADDRESS must have an accessibility bus
(at-spi-bus-launcher) and the clock must run with its bridge on.
"""

import subprocess
import sys

import pyatspi
from gi.repository import GLib


def clock_window():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "vesperon":
            continue
        for window in app:
            if window is not None and window.name == "Vesperon":
                return window
    sys.exit("no Vesperon window on the accessibility bus")


def tree():
    window = clock_window()
    print("description", window.description)
    for i in range(window.childCount):
        child = window.getChildAtIndex(i)
        print(f"{child.getRoleName()}\t{child.name}")


def watch(command):
    window = clock_window()
    heard = []

    def on_event(event):
        if event.source == window:
            # The event names the window; its description is read anew.
            heard.append(window.description)
            pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-description")
    GLib.timeout_add(0, lambda: subprocess.run(command, check=True) and False)
    GLib.timeout_add(5000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    if not heard:
        sys.exit("the window announced no new description within 5 s")
    print(heard[0])


if __name__ == "__main__":
    if sys.argv[1:2] == ["tree"]:
        tree()
    elif sys.argv[1:2] == ["watch"] and len(sys.argv) > 2:
        watch(sys.argv[2:])
    else:
        sys.exit(__doc__)
