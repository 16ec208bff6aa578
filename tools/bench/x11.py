"""The little of libX11 the benchmarks and the end-to-end tests need, through
ctypes: be told the moment a window is mapped, read a window's pixels, and
ask a window to close as a window manager does.

No python3-xlib on the machine, and an X event read in-process is timed to
the microsecond, where polling xwininfo or xdotool from outside is not.
"""

import ctypes
import select
import time

_x = ctypes.cdll.LoadLibrary("libX11.so.6")

MAP_NOTIFY = 19
CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
Z_PIXMAP = 2
ALL_PLANES = ctypes.c_ulong(-1).value


class _XAnyEvent(ctypes.Structure):  # what every event starts with
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
    ]


class _XMapEvent(_XAnyEvent):
    _fields_ = [("event", ctypes.c_ulong), ("window", ctypes.c_ulong), ("override_redirect", ctypes.c_int)]


class _XClientMessageEvent(_XAnyEvent):
    _fields_ = [
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xmap", _XMapEvent), ("xclient", _XClientMessageEvent),
                ("pad", ctypes.c_long * 24)]


class _XImage(ctypes.Structure):  # the leading fields, which is all we read
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


_x.XOpenDisplay.restype = ctypes.c_void_p
_x.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x.XCloseDisplay.argtypes = [ctypes.c_void_p]
_x.XDefaultRootWindow.restype = ctypes.c_ulong
_x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x.XPending.argtypes = [ctypes.c_void_p]
_x.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_XEvent)]
_x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
_x.XFree.argtypes = [ctypes.c_void_p]
_x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
_x.XGetImage.restype = ctypes.POINTER(_XImage)
_x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                         ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
_x.XInternAtom.restype = ctypes.c_ulong
_x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_x.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                               ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                               ctypes.POINTER(ctypes.c_int)]
_x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                          ctypes.POINTER(_XEvent)]

# A window that goes away between two requests must not end the benchmark:
# X errors are ignored, the failed request shows as an empty result.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_errors = _ERROR_HANDLER(lambda display, event: 0)
_x.XSetErrorHandler(_ignore_errors)


class Display:
    def __init__(self, name):
        self._d = _x.XOpenDisplay(name.encode())
        if not self._d:
            raise RuntimeError(f"cannot open display {name}")
        self.root = _x.XDefaultRootWindow(self._d)

    def close(self):
        """Closes the connection, sending what is still to be sent."""
        _x.XCloseDisplay(self._d)

    def takes_part_in_delete_window(self, window):
        """Whether the window lists WM_DELETE_WINDOW in its WM_PROTOCOLS."""
        protocols = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_int()
        if not _x.XGetWMProtocols(self._d, window, ctypes.byref(protocols), ctypes.byref(count)):
            return False
        takes_part = self._atom(b"WM_DELETE_WINDOW") in protocols[:count.value]
        _x.XFree(protocols)
        return takes_part

    def send_delete_window(self, window):
        """Sends the window the WM_DELETE_WINDOW message a window manager sends
        for its close button; False when it could not be sent."""
        event = _XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self._atom(b"WM_PROTOCOLS")
        event.xclient.format = 32
        event.xclient.data[0] = self._atom(b"WM_DELETE_WINDOW")
        event.xclient.data[1] = 0  # CurrentTime
        return bool(_x.XSendEvent(self._d, window, 0, NO_EVENT_MASK, ctypes.byref(event)))

    def _atom(self, name):
        return _x.XInternAtom(self._d, name, 0)

    def watch_maps(self):
        """From now on, MapNotify of every top-level window reaches us."""
        _x.XSelectInput(self._d, self.root, SUBSTRUCTURE_NOTIFY_MASK)
        _x.XSync(self._d, 0)

    def next_map(self, deadline):
        """(window, perf_counter at receipt) of the next top-level map, or None
        at the deadline (a perf_counter value)."""
        event = _XEvent()
        while True:
            while _x.XPending(self._d):
                _x.XNextEvent(self._d, ctypes.byref(event))
                if event.type == MAP_NOTIFY:
                    return event.xmap.window, time.perf_counter()
            left = deadline - time.perf_counter()
            if left <= 0:
                return None
            select.select([_x.XConnectionNumber(self._d)], [], [], left)

    def name(self, window):
        text = ctypes.c_char_p()
        if not _x.XFetchName(self._d, window, ctypes.byref(text)) or not text.value:
            return ""
        value = text.value.decode(errors="replace")
        _x.XFree(text)
        return value

    def size(self, window):
        root = ctypes.c_ulong()
        x, y = ctypes.c_int(), ctypes.c_int()
        w, h, border, depth = ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint()
        if not _x.XGetGeometry(self._d, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                               ctypes.byref(w), ctypes.byref(h), ctypes.byref(border),
                               ctypes.byref(depth)):
            return 0, 0
        return w.value, h.value

    def pixels(self, window, left, top, width, height):
        """The raw pixel bytes of a part of a window, b"" when it cannot be read."""
        image = _x.XGetImage(self._d, window, left, top, width, height, ALL_PLANES, Z_PIXMAP)
        if not image:
            return b""
        data = ctypes.string_at(image.contents.data, image.contents.bytes_per_line * height)
        _x.XDestroyImage(image)
        return data
