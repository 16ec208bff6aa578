"""The little of X the random walk needs, through libX11 and libXtst by
ctypes: the windows of one process, clicks, drags and keys as XTest sends
them (to whatever window the server gives them, the focused one for keys),
what the window manager is asked to do, and the pixels on the screen.

Debian has no python3-xlib, and asking xdotool, xprop and xwininfo a few
times a step would cost the walk most of its time.
"""

import ctypes
import time

_x = ctypes.cdll.LoadLibrary("libX11.so.6")
_xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
_P, _ul, _i, _ui, _vp = ctypes.POINTER, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_void_p

CLIENT_MESSAGE = 33
IS_VIEWABLE = 2
Z_PIXMAP = 2
SUBSTRUCTURE_MASKS = (1 << 19) | (1 << 20)


class _Attributes(ctypes.Structure):
    _fields_ = [("x", _i), ("y", _i), ("width", _i), ("height", _i), ("border", _i), ("depth", _i),
                ("visual", _vp), ("root", _ul), ("klass", _i), ("bit_gravity", _i), ("win_gravity", _i),
                ("backing_store", _i), ("backing_planes", _ul), ("backing_pixel", _ul),
                ("save_under", _i), ("colormap", _ul), ("map_installed", _i), ("map_state", _i),
                ("all_masks", ctypes.c_long), ("your_mask", ctypes.c_long),
                ("no_propagate", ctypes.c_long), ("override_redirect", _i), ("screen", _vp)]


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", _i), ("serial", _ul), ("send_event", _i), ("display", _vp), ("window", _ul),
                ("message_type", _ul), ("format", _i), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


class _Image(ctypes.Structure):  # the leading fields, which is all we read
    _fields_ = [("width", _i), ("height", _i), ("xoffset", _i), ("format", _i), ("data", _vp),
                ("byte_order", _i), ("bitmap_unit", _i), ("bitmap_bit_order", _i), ("bitmap_pad", _i),
                ("depth", _i), ("bytes_per_line", _i), ("bits_per_pixel", _i)]


for _name, _result, _arguments in [
        ("XOpenDisplay", _vp, [ctypes.c_char_p]), ("XDefaultRootWindow", _ul, [_vp]),
        ("XQueryTree", _i, [_vp, _ul, _P(_ul), _P(_ul), _P(_P(_ul)), _P(_ui)]),
        ("XGetWindowAttributes", _i, [_vp, _ul, _P(_Attributes)]),
        ("XInternAtom", _ul, [_vp, ctypes.c_char_p, _i]),
        ("XGetWindowProperty", _i, [_vp, _ul, _ul, ctypes.c_long, ctypes.c_long, _i, _ul, _P(_ul),
                                    _P(_i), _P(_ul), _P(_ul), _P(_vp)]),
        ("XFree", _i, [_vp]), ("XFetchName", _i, [_vp, _ul, _P(ctypes.c_char_p)]),
        ("XTranslateCoordinates", _i, [_vp, _ul, _ul, _i, _i, _P(_i), _P(_i), _P(_ul)]),
        ("XSendEvent", _i, [_vp, _ul, _i, ctypes.c_long, _P(_Event)]), ("XSync", _i, [_vp, _i]),
        ("XGetImage", _P(_Image), [_vp, _ul, _i, _i, _ui, _ui, _ul, _i]),
        ("XDestroyImage", _i, [_P(_Image)]), ("XGetInputFocus", _i, [_vp, _P(_ul), _P(_i)]),
        ("XQueryPointer", _i, [_vp, _ul, _P(_ul), _P(_ul), _P(_i), _P(_i), _P(_i), _P(_i), _P(_ui)]),
        ("XStringToKeysym", _ul, [ctypes.c_char_p]), ("XKeysymToKeycode", ctypes.c_ubyte, [_vp, _ul])]:
    getattr(_x, _name).restype, getattr(_x, _name).argtypes = _result, _arguments
for _name, _arguments in [("XTestFakeMotionEvent", [_vp, _i, _i, _i, _ul]),
                          ("XTestFakeButtonEvent", [_vp, _ui, _i, _ul]),
                          ("XTestFakeKeyEvent", [_vp, _ui, _i, _ul])]:
    getattr(_xtst, _name).argtypes = _arguments
# Windows come and go between two requests: a failed request reads as empty.
_IGNORE_ERRORS = ctypes.CFUNCTYPE(_i, _vp, _vp)(lambda display, error: 0)
_x.XSetErrorHandler(_IGNORE_ERRORS)

MODIFIERS = {"alt": "Alt_L", "shift": "Shift_L"}


class Window:
    """One window as the server has it: rect on the screen, and its
    top-level (a child of the root) with that one's place in the stack."""

    def __init__(self, wid, name, mapped, override, rect, stack, top):
        self.id, self.name, self.mapped, self.override = wid, name, mapped, override
        self.rect, self.stack, self.top = rect, stack, top


class Display:
    def __init__(self):
        self.d = _x.XOpenDisplay(None)
        if not self.d:
            raise RuntimeError("cannot open the display")
        self.root = _x.XDefaultRootWindow(self.d)
        atom = lambda name: _x.XInternAtom(self.d, name, 0)  # noqa: E731
        self.pid_atom, self.clients = atom(b"_NET_WM_PID"), atom(b"_NET_CLIENT_LIST")
        self.active = atom(b"_NET_ACTIVE_WINDOW")
        self.protocols, self.delete = atom(b"WM_PROTOCOLS"), atom(b"WM_DELETE_WINDOW")

    # ---------------------------------------------------------------- reading

    def _tree(self, window):
        """(children bottom to top, parent)."""
        root, parent, found, count = _ul(), _ul(), _P(_ul)(), _ui()
        if not _x.XQueryTree(self.d, window, root, parent, found, count):
            return [], None
        ids = found[:count.value]
        if found:
            _x.XFree(found)
        return ids, parent.value

    def _cardinals(self, window, atom, most=1):
        kind, fmt, count, after, data = _ul(), _i(), _ul(), _ul(), _vp()
        if _x.XGetWindowProperty(self.d, window, atom, 0, most, 0, 0, kind, fmt, count, after,
                                 data) != 0 or not data.value:
            return []
        values = ctypes.cast(data, _P(_ul))[:count.value]
        _x.XFree(data)
        return values

    def _attributes(self, window, on_root=False):
        """(mapped, override-redirect, rect on the screen), or None when gone."""
        a = _Attributes()
        if not _x.XGetWindowAttributes(self.d, window, a):
            return None
        x, y, child = _i(a.x), _i(a.y), _ul()
        if not on_root:
            _x.XTranslateCoordinates(self.d, window, self.root, 0, 0, x, y, child)
        return a.map_state == IS_VIEWABLE, bool(a.override_redirect), (x.value, y.value, a.width, a.height)

    def _name(self, window):
        text = ctypes.c_char_p()
        if not _x.XFetchName(self.d, window, text) or not text.value:
            return ""
        value = text.value.decode("latin-1")
        _x.XFree(text)
        return value

    def scene(self, pid):
        """(windows of process pid, [(stack, rect)] of the mapped top-levels,
        bottom to top). A process's windows are children of the root (pop-ups,
        and what no window manager holds), clients of the window manager, or
        inside another client (a tray icon, in trayer)."""
        windows, tops, stacks = [], [], {}

        def found(window, top):
            seen = self._attributes(window)
            if seen:
                windows.append(Window(window, self._name(window), *seen, stacks[top], top))

        for stack, top in enumerate(self._tree(self.root)[0]):
            stacks[top] = stack
            shown = self._attributes(top, on_root=True)
            if shown and shown[0]:
                tops.append((stack, shown[2]))
            if shown and self._cardinals(top, self.pid_atom) == [pid]:
                found(top, top)
        for client in self._cardinals(self.root, self.clients, 1024):
            frame = self._tree(client)[1]
            if frame not in stacks:
                continue
            if self._cardinals(client, self.pid_atom) == [pid]:
                found(client, frame)
                continue
            pending = self._tree(client)[0]
            while pending:
                window = pending.pop()
                if self._cardinals(window, self.pid_atom) == [pid]:
                    found(window, frame)
                pending.extend(self._tree(window)[0])
        return windows, tops

    def top_at_pointer(self):
        """The top-level the server will give a click at the pointer."""
        root, child, n = _ul(), _ul(), _i()
        _x.XQueryPointer(self.d, self.root, root, child, n, n, n, n, _ui())
        return child.value

    def focus(self):
        window, revert = _ul(), _i()
        _x.XGetInputFocus(self.d, window, revert)
        return window.value

    def pixels(self, rect):
        """The RGB bytes of a rectangle of the screen, row after row."""
        x, y, width, height = rect
        image = _x.XGetImage(self.d, self.root, x, y, width, height, (1 << 32) - 1, Z_PIXMAP)
        if not image:
            return None
        stride = image.contents.bytes_per_line
        raw = ctypes.string_at(image.contents.data, stride * height)
        _x.XDestroyImage(image)
        rgb = bytearray(3 * width * height)
        for row in range(height):
            line = raw[row * stride:row * stride + 4 * width]  # BGRX
            start = 3 * width * row
            rgb[start:start + 3 * width:3] = line[2::4]
            rgb[start + 1:start + 3 * width:3] = line[1::4]
            rgb[start + 2:start + 3 * width:3] = line[0::4]
        return bytes(rgb)

    # ---------------------------------------------------------------- input

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self.d, -1, int(x), int(y), 0)
        _x.XSync(self.d, 0)

    def button(self, number, down):
        _xtst.XTestFakeButtonEvent(self.d, number, 1 if down else 0, 0)
        _x.XSync(self.d, 0)

    def key(self, *names):
        """Presses and releases each key ("alt+a": with a modifier), for the
        focused window: a key sent to a window it closes would stay down."""
        for name in names:
            codes = [_x.XKeysymToKeycode(self.d, _x.XStringToKeysym(MODIFIERS.get(part, part).encode()))
                     for part in name.split("+")]
            for code in codes:
                _xtst.XTestFakeKeyEvent(self.d, code, 1, 0)
            for code in reversed(codes):
                _xtst.XTestFakeKeyEvent(self.d, code, 0, 0)
            _x.XSync(self.d, 0)
            time.sleep(0.02)

    # -------------------------------------------------- the window manager

    def _message(self, window, kind, data, to_root):
        event = _Event()
        event.xclient.type, event.xclient.window, event.xclient.message_type = CLIENT_MESSAGE, window, kind
        event.xclient.format = 32
        for n, value in enumerate(data):
            event.xclient.data[n] = value
        target, mask = (self.root, SUBSTRUCTURE_MASKS) if to_root else (window, 0)
        _x.XSendEvent(self.d, target, 0, mask, event)
        _x.XSync(self.d, 0)

    def activate(self, window):
        """Asks the window manager to give the window the keyboard, as a pager does."""
        self._message(window, self.active, [2, 0, 0], True)

    def close(self, window):
        """Asks the window to close, as its title bar's button does."""
        self._message(window, self.protocols, [self.delete, 0], False)
