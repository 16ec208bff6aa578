"""Closes a window the way a window manager does: a WM_DELETE_WINDOW message.

Usage: wm_close.py WINDOW_ID   (on $DISPLAY)

Xvfb runs no window manager and Debian's xdotool has no windowclose, so this
sends the client message itself, through libX11. It refuses (status 2) when
the window does not take part in WM_DELETE_WINDOW, as a window manager would
then kill the client instead.
"""

import ctypes
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main():
    window = int(sys.argv[1], 0)
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                  ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                  ctypes.POINTER(ctypes.c_int)]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(XEvent)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    protocols_atom = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    delete_atom = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)

    protocols = ctypes.POINTER(ctypes.c_ulong)()
    count = ctypes.c_int()
    takes_part = False
    if x.XGetWMProtocols(display, window, ctypes.byref(protocols), ctypes.byref(count)):
        takes_part = delete_atom in protocols[:count.value]
        x.XFree(protocols)
    if not takes_part:
        print("the window does not list WM_DELETE_WINDOW in WM_PROTOCOLS", file=sys.stderr)
        sys.exit(2)

    event = XEvent()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = protocols_atom
    event.xclient.format = 32
    event.xclient.data[0] = delete_atom
    event.xclient.data[1] = 0  # CurrentTime
    if not x.XSendEvent(display, window, 0, NO_EVENT_MASK, ctypes.byref(event)):
        sys.exit("XSendEvent failed")
    x.XCloseDisplay(display)  # flushes the request


if __name__ == "__main__":
    main()
