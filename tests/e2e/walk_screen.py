"""What the random walk sees of the program: its windows by kind, the
places of the face, which of them a click reaches, and the pictures the
face shows (read from the screen, compared with the skin's own files).
"""

import os

import face
from walk_model import SLACK, poll

FACE_W, FACE_H = 171, 128
SCREEN_W, SCREEN_H = 1024, 768
RESOURCES = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources"))

# The controls of the face: left, top, width, height in the window.
CONTROLS = {
    "Image1": (10, 92, 22, 16), "ImgButtonMENOS": (37, 90, 22, 16), "ImgButtonMAS": (63, 91, 22, 16),
    "ImgTipOk": (138, 38, 15, 9), "TipApagado": (104, 48, 49, 9), "ImgTipNotas": (104, 38, 33, 9),
    "ImgAbout": (137, 106, 22, 20), "ImgMinimizar": (132, 4, 8, 9), "ImgConfig": (144, 4, 8, 9),
    "ImgCerrar": (157, 4, 8, 9), "Command1": (99, 88, 27, 19), "LblInfo": (19, 64, 134, 14),
}
DIGITS = {f"ImgHora0{n + 1}": (x, 39, 10, 17) for n, x in enumerate((21, 33, 50, 62, 79, 91))}
COLONS = {"ImgDosPuntos": (44, 37, 5, 21), "ImgDosPuntos2": (73, 37, 5, 21)}
PLACES = {**CONTROLS, **DIGITS, **COLONS}
# Their first press opens what a second one would land on.
OPENERS = ("ImgMinimizar", "ImgConfig", "ImgCerrar", "ImgAbout", "Command1")
# The popup menu, top to bottom; None for a separator.
MENU_ROWS = ["Ajustar", None, "Config", None, "OnTop", "About", None, "Salir", None, "Notas"]
SIZES = {(387, 513): "config", (353, 345): "about", (191, 145): "note"}
MODALS = ("config", "about", "box")
TIP = {"off": {"tip-apagado-off"}, "on": {"tip-apagado-on"}, "stop": {"tip-stop-on", "tip-stop-off"}}
OK = {False: {"tip-ok-off"}, True: {"tip-ok-on"}}
PICTURES = [*sorted(set().union(*TIP.values(), *OK.values())), *map(str, range(10))]


def inside(rect, x, y):
    return rect[0] <= x < rect[0] + rect[2] and rect[1] <= y < rect[1] + rect[3]


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def kind_of(window):
    """clock, tray (its icon), menu, popup (a sub-menu, a list's or a tip),
    config, about, note, box; None for what the walk has no use for."""
    if window.name == "Vesperon" and window.rect[2:] == (FACE_W, FACE_H):
        return "clock"
    if not window.mapped:
        return None
    if window.override and window.top != window.id:
        return "tray" if max(window.rect[2:]) <= 64 else None  # docked in another client
    if window.override:
        return "menu" if window.rect[3] > 100 else "popup"
    return SIZES.get(window.rect[2:], "box" if window.name not in ("vesperon", "") else None)


class Screen:
    """Needs self.x (a Display), self.process, self.rng and self.session."""

    def look(self):
        windows, self.tops = self.x.scene(self.process.pid)
        self.seen = {}
        for window in windows:
            kind = kind_of(window)
            if kind:
                self.seen.setdefault(kind, []).append(window)
        if "config" in self.seen and "menu" in self.seen:  # a long list's pop-up, not the menu
            self.seen.setdefault("popup", []).extend(self.seen.pop("menu"))
        return self.seen

    def one(self, kind):
        """The window of that kind made last (X numbers a client's windows
        upwards, and dialogs are made anew as they open), or None."""
        return max(self.seen.get(kind, []), key=lambda w: w.id, default=None)

    def shown(self):
        clock = self.one("clock")
        return clock if clock and clock.mapped else None

    def modal(self):
        """The kind of the dialog or box opened last, which holds the others and the clock."""
        windows = [w for kind in MODALS for w in self.seen.get(kind, [])]
        return kind_of(max(windows, key=lambda w: w.id)) if windows else None

    def clear(self, rect):
        """The screen rectangle shows the clock: on the screen, under nothing else."""
        clock = self.shown()
        if not clock or rect[0] < 0 or rect[1] < 0 or rect[0] + rect[2] > SCREEN_W or rect[1] + rect[3] > SCREEN_H:
            return False
        return not any(stack > clock.stack and overlap(r, rect) for stack, r in self.tops)

    def on_screen(self, rect):
        clock = self.shown()
        return (clock.rect[0] + rect[0], clock.rect[1] + rect[1], rect[2], rect[3]) if clock else None

    def point(self, rect):
        """A point of the screen inside rect of the face, which the face shows; None if none."""
        for _ in range(8):
            spot = self.on_screen((rect[0] + self.rng.randrange(1, max(2, rect[2] - 1)),
                                   rect[1] + self.rng.randrange(1, max(2, rect[3] - 1)), 1, 1))
            if spot and self.clear(spot):
                return spot[:2]
        return None

    def background_point(self):
        for _ in range(20):
            x, y = self.rng.randrange(2, FACE_W - 2), self.rng.randrange(2, FACE_H - 2)
            if not any(inside(r, x, y) for r in PLACES.values()):
                return self.point((x - 1, y - 1, 3, 3))
        return None

    def reach(self, spot):
        """Brings the pointer to a spot of the face; False unless a click there
        reaches the clock. A tip the clock shows by a resting pointer, which
        would take the click, is waited away."""
        def clicks_clock():
            self.x.move(*spot)
            self.look()
            clock = self.shown()
            return self.clear((*spot, 1, 1)) and self.x.top_at_pointer() == clock.top
        if clicks_clock():
            return True
        clock, rect = self.shown(), (*spot, 1, 1)
        if clock is None or not any(overlap(w.rect, rect) for w in self.seen.get("popup", [])):
            return False
        self.x.move(max(0, clock.rect[0] - 30), max(0, clock.rect[1] - 30))
        poll(lambda: not any(overlap(w.rect, rect) for w in self.look().get("popup", [])), SLACK)
        return clicks_clock()

    def aim(self, window, x, y):
        """Brings the pointer to a point; False unless a click there reaches the window."""
        if not (0 <= x < SCREEN_W and 0 <= y < SCREEN_H):
            return False
        self.x.move(x, y)
        return self.x.top_at_pointer() == window.top

    def load_skin(self, name):
        """The pictures of the skin in the settings (the built-in ones for none)."""
        folder = os.path.join(self.session.skins, name) if name else RESOURCES
        files = {f.lower(): f for f in os.listdir(folder)} if os.path.isdir(folder) else {}
        if not all(n + ".bmp" in files for n in PICTURES):
            folder, files = RESOURCES, {f.lower(): f for f in os.listdir(RESOURCES)}
        self.pictures = {n: face.read_bmp(os.path.join(folder, files[n + ".bmp"])) for n in PICTURES}
        self.skin = name

    def read(self, rect, names, whole=False):
        """Which of the pictures the face shows at rect, as far as it is on
        the screen (all of it, if whole); None when out of view."""
        spot = self.on_screen(rect)
        if not spot or whole and not self.clear(spot):
            return None
        left, top = max(spot[0], 0), max(spot[1], 0)
        seen = (left, top, min(spot[0] + spot[2], SCREEN_W) - left, min(spot[1] + spot[3], SCREEN_H) - top)
        if seen[2] < 4 or seen[3] < 4 or not self.clear(seen):
            return None
        shown = self.x.pixels(seen)
        part = (left - spot[0], top - spot[1], seen[2], seen[3])
        return {n for n in names if self.pictures[n].crop(*part) == shown}
