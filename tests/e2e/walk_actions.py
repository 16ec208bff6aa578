"""What the random walk does, as a user would: clicks, double clicks and
held presses on the face, drags, the menu by mouse and by keyboard, the
tray icon, the dialogs, the box and the note, the program's clock moved,
the notice's "Cancelar", SIGTERM and a second start. Each action returns
False when it cannot be done as the screen stands (the walk then picks
another), and keeps the walk's model in step with what it did.
"""

import datetime
import os
import signal
import subprocess
import time

from walk_model import SLACK, Fault, parse_date, poll, read_settings
from walk_screen import (COLONS, CONTROLS, DIGITS, MENU_ROWS, OK, PLACES, SCREEN_H, SCREEN_W,
                         Screen)

DOUBLE_CLICK_S = 0.45  # Qt pairs two presses closer than 400 ms


class Actions(Screen):
    # ------------------------------------------------------------ the pointer

    def press(self, x, y, button=1, hold=0.02, double=False):
        """A click (a double one, a held one) at a point of the screen. Two
        presses close in time and place make a double click: single ones keep apart."""
        px, py, pbutton, at = self.last_press
        if button == pbutton and abs(x - px) < 10 and abs(y - py) < 10:
            time.sleep(max(0.0, at + DOUBLE_CLICK_S - time.monotonic()))
        self.x.move(x, y)
        for n in range(2 if double else 1):
            self.last_press = (x, y, button, time.monotonic())
            self.x.button(button, True)
            time.sleep(hold)
            self.x.button(button, False)
            if double and n == 0:
                time.sleep(0.08)

    def drag(self, x, y, waypoints):
        """Drags from a point along waypoints, in steps of a few pixels as a
        hand makes them. A menu open under the held button is a fault."""
        step = self.rng.choice([1, 2, 3, 5, 8])
        self.history[-1] += f": {step} px steps through {waypoints}"
        self.x.move(x, y)
        self.x.button(1, True)
        for tx, ty in waypoints:
            count = max(1, int(max(abs(tx - x), abs(ty - y)) / step))
            for n in range(1, count + 1):
                self.x.move(x + (tx - x) * n / count, y + (ty - y) * n / count)
                if n % 25 == 0:
                    time.sleep(0.01)
            x, y = tx, ty
        self.settle()
        menu = poll(lambda: "menu" in self.look(), 0.15)
        self.x.button(1, False)
        self.last_press = (0, 0, 0, 0.0)
        if menu:
            raise Fault(f"a drag opened the menu under the held button, at {x},{y}")
        self.settle()
        return True

    def settle(self):
        """The program takes the moves at its own pace: done when the windows stand still."""
        places = []
        poll(lambda: places.append([w.rect for w in self.look().get("clock", []) + self.seen.get("note", [])])
             or places[-3:] == [places[-1]] * 3, SLACK, 0.03)

    def expect(self, what, condition, seconds=SLACK):
        if not poll(lambda: (self.look(), condition())[1], seconds):
            raise Fault(f"{what}, {seconds:.0f} s on")

    def focus_on(self, kind):
        """Gives the window the keyboard, as a click on its title bar would."""
        window = self.one(kind)
        if self.x.focus() != window.id:
            self.x.activate(window.id)
            if not poll(lambda: self.x.focus() == window.id, SLACK):
                raise Fault(f"the {kind} window does not take the keyboard")

    # ----------------------------------------------------- the face's controls

    def click_control(self, name, button=1, double=False, hold=0.02):
        spot = self.point(PLACES[name])
        if not spot or name in ("TipApagado", "ImgTipOk") and self.read(CONTROLS[name], set()) is None:
            return False  # what they change must show
        blocked, editing, clicked_at = self.modal() is not None, self.editing, time.time()
        if not self.reach(spot):
            return False
        if blocked and "popup" in self.look():
            # A list's pop-up open in the dialog takes the click to close;
            # the stop takes the next one.
            self.press(*spot, button=button)
            self.expect("a click away left a list's pop-up open", lambda: "popup" not in self.seen)
            self.history[-1] += " (closes the list's pop-up)"
            return True
        self.press(*spot, button=button, double=double, hold=hold)
        if name == "Command1" and button == 3 and not blocked:  # the button leaves it to the face
            self.expect("a right click on the ! button opened no menu", lambda: "menu" in self.seen)
        if button != 1 or blocked and not (name == "TipApagado" and self.shutdown.countdown):
            return True
        if name in DIGITS or name in COLONS:
            self.editing = self.editing or double
        elif name == "TipApagado":
            did = self.shutdown.tip_pressed(editing, blocked)
            self.history[-1] += f" ({did})"
            self.counts["cancels"] += did == "cancels"
        elif name == "ImgTipOk" and editing:
            self.accepted(clicked_at)
        elif name == "ImgMinimizar":
            self.visible = False
        elif name == "ImgConfig":
            self.expect("ImgConfig opened no menu", lambda: "menu" in self.seen)
        elif name == "ImgAbout":
            self.expect("ImgAbout opened no About", lambda: "about" in self.seen)
        elif name == "Command1":
            self.expect("the ! button opened no note window", lambda: "note" in self.seen)
        elif name == "ImgCerrar":
            self.ended("ImgCerrar")
        return True

    def accepted(self, clicked_at):
        """The editor's OK: the time it showed is in the settings file, for
        today if it is still to come, else for tomorrow."""
        self.editing = False
        self.expect("OK did not close the editor",
                    lambda: self.read(CONTROLS["ImgTipOk"], OK[False]) == OK[False])
        values = read_settings(self.session.ini, self.session.skins).get("Apagado", {})
        day = parse_date(values.get("FechaApagado", ""))
        if day is None:
            raise Fault("OK stored no FechaApagado")
        at = self.session.program_time(clicked_at)
        target = datetime.datetime.combine(day, datetime.time(
            int(values["Horas"]), int(values["Minutos"]), int(values["Segundos"])))
        late, one_day = datetime.timedelta(seconds=2), datetime.timedelta(days=1)
        if not (day == at.date() and target >= at - late or
                day == at.date() + one_day and target - one_day <= at + late):
            raise Fault(f"OK at {at:%H:%M:%S} accepted {target:%H:%M:%S %d %b}")
        self.shutdown.accepted, self.shutdown.since = target, time.time()
        self.shutdown.alternative = None
        self.history[-1] += f" (accepts {target:%H:%M:%S %d %b})"

    def held(self, name):
        return self.click_control(name, hold=self.rng.uniform(0.1, 1.3))

    def right_click_face(self):
        spot = self.background_point()
        if not spot or not self.reach(spot):
            return False
        self.press(*spot, button=3)
        self.expect("a right click on the clock opened no menu", lambda: "menu" in self.seen)
        return True

    def drag_clock(self):
        spot = self.background_point()
        if not spot or not self.reach(spot):
            return False
        if self.rng.random() < 0.4:  # to the left edge, where it snaps, and on to the right
            y = self.rng.randint(0, SCREEN_H)
            waypoints = [(self.rng.randint(-20, 8), y), (self.rng.randint(500, 900), y + self.rng.randint(-40, 40))]
        else:  # anywhere, past the screen's edges too
            waypoints = [(self.rng.randint(-150, SCREEN_W + 150), self.rng.randint(-150, SCREEN_H + 150))
                         for _ in range(self.rng.randint(1, 3))]
        return self.drag(*spot, waypoints)

    def held_by_dialog(self):
        """A click on the clock under an open dialog: only the stop may take one."""
        return self.click_control(self.rng.choice([n for n in CONTROLS if n != "TipApagado"]))

    # ------------------------------------------------------------- the menu

    def menu_entry(self, entry, by_keys):
        menu = self.one("menu")
        if by_keys:
            keys = {"Config": ["c"], "Salir": ["s"]}.get(entry) if self.rng.random() < 0.5 else None
            if not keys:
                downs = [e for e in MENU_ROWS if e].index(entry) + 1
                keys = ["Down"] * downs + (["Right", "Return"] if entry == "Notas" else ["Return"])
            self.x.key(*keys)
        else:
            # Entries share the height the two-pixel separators leave.
            entries, separators = [e for e in MENU_ROWS if e], MENU_ROWS.count(None)
            height = (menu.rect[3] - 2 * separators) / len(entries)
            y = sum(height if row else 2 for row in MENU_ROWS[:MENU_ROWS.index(entry)])
            self.press(menu.rect[0] + self.rng.randint(20, menu.rect[2] - 20), int(menu.rect[1] + y + height / 2))
            if entry == "Notas":
                self.expect("Notas de Aviso opened no sub-menu", lambda: self.submenu(menu) is not None)
                sub = self.submenu(menu).rect
                self.press(sub[0] + sub[2] // 2, sub[1] + sub[3] // 2)
        self.chose(entry)
        return True

    def submenu(self, menu):
        beside = lambda r: abs(r[0] - menu.rect[0] - menu.rect[2]) < 20 or abs(r[0] + r[2] - menu.rect[0]) < 20  # noqa
        return next((w for w in self.seen.get("popup", []) if beside(w.rect)), None)

    def chose(self, entry):
        if entry == "Ajustar":
            self.editing = True
        elif entry == "Config":
            self.expect("Configuración opened no dialog", lambda: "config" in self.seen)
        elif entry == "OnTop":
            before = self.on_top
            self.expect("Siempre por Encima did not change OnTop", lambda: self.setting("Window", "OnTop") != before)
            self.on_top = self.setting("Window", "OnTop")
        elif entry == "About":
            self.expect("Acerca de Vesperon... opened no About", lambda: "about" in self.seen)
        elif entry == "Salir":
            self.ended("Salir")
            return
        elif entry == "Notas":
            self.expect("Añadir showed no box", lambda: "box" in self.seen)
        self.expect("the menu stayed open", lambda: "menu" not in self.seen)

    def menu_away(self, how):
        if how == "Escape":
            self.x.key("Escape")
        else:  # a click on the bare desktop
            self.press(self.rng.randint(5, 300), self.rng.randint(5, 60))
        self.expect(f"{how} did not close the menu", lambda: "menu" not in self.seen)
        return True

    # ----------------------------------------------- dialogs, the box, the note

    def close_popups(self):
        while "popup" in self.look() and self.modal():
            self.x.key("Escape")
            self.expect("a list's pop-up stayed open", lambda: "popup" not in self.seen)

    def config_keys(self):
        if self.rng.random() < 0.3:
            self.close_popups()
        if "popup" not in self.look():  # an open list has the keyboard
            self.focus_on("config")
        keys = [self.rng.choice(["Tab", "Tab", "shift+Tab", "Up", "Down", "space"])
                for _ in range(self.rng.randint(1, 4))]
        window, sent = self.one("config"), []
        for key in keys:
            before, pressed_at = self.settings_bytes(), time.time()
            self.x.key(key)
            sent.append(key)
            # Space on Aceptar or Cancelar closes the dialog; the keys after
            # it would go to the clock, which takes them.
            if key == "space" and poll(lambda: (self.look(), window.id not in self.ids("config"))[1], 0.3):
                self.dialog_closed("config", "space on a button", before, pressed_at)
                break
        return " ".join(sent)

    def ids(self, kind):
        return [w.id for w in self.seen.get(kind, [])]

    def settings_bytes(self):
        with open(self.session.ini, "rb") as f:
            return f.read()

    def end_dialog(self, kind, how):
        """Closes the last About, box or configuration dialog: a key on it,
        or its title bar's close button. Escape, Alt+C and the close button
        write no setting; Enter presses the button with the focus."""
        self.close_popups()
        before = self.settings_bytes()
        window = self.one(kind)
        pressed_at = time.time()
        if how == "close":
            self.x.close(window.id)
        else:
            self.focus_on(kind)
            self.x.key(how)
        gone = lambda: window.id not in self.ids(kind)  # noqa: E731
        if kind == "config" and how == "Return":
            poll(lambda: (self.look(), gone())[1], 1.0)
        else:
            self.expect(f"{how} did not close the {kind} window", gone)
        if kind == "config" and gone():
            self.dialog_closed(kind, how, before, pressed_at)
        return how

    def dialog_closed(self, kind, how, before, pressed_at):
        """The configuration dialog closed: what it stored takes effect."""
        if how in ("Escape", "alt+c", "close") and self.settings_bytes() != before:
            raise Fault(f"{how} on the configuration dialog changed the settings file")
        daily = self.setting("Apagado", "Diario") == "1"
        if daily and not self.shutdown.daily:
            self.shutdown.daily_turned_on(pressed_at)
            self.history[-1] += f" (daily on: {self.shutdown.describe()})"
        self.shutdown.daily = daily
        self.load_skin(self.setting("Window", "Skin") or "")

    def note_close(self):
        note = self.one("note")
        x, y = note.rect[0] + 179, note.rect[1] + 11
        if not self.aim(note, x, y):
            return False
        self.press(x, y, button=self.rng.choice([1, 1, 3]))  # the right button closes it too
        self.expect("the note's close button left it open", lambda: "note" not in self.seen)
        return True

    def note_drag(self):
        note = self.one("note")
        x, y = note.rect[0] + self.rng.randint(5, 160), note.rect[1] + self.rng.randint(3, 17)
        if not self.aim(note, x, y):
            return False
        return self.drag(x, y, [(self.rng.randint(-100, SCREEN_W + 100), self.rng.randint(-100, SCREEN_H + 100))])

    # ----------------------------------------------- the tray, clock, signals

    def tray_click(self, button):
        tray = self.one("tray")
        icon, modal = tray.rect, self.modal()
        x, y = icon[0] + icon[2] // 2, icon[1] + icon[3] // 2
        if not self.aim(tray, x, y):
            return False  # the clock or a dialog stands over the tray
        self.press(x, y, button=button)
        if modal == "box":  # the box holds the whole program, its icon too
            return True
        if modal == "config":  # the icon brings the dialog forward
            self.expect("a click on the icon closed the dialog", lambda: "config" in self.seen)
        elif button == 1:
            self.visible = True
        else:
            self.expect("a right click on the tray icon opened no menu", lambda: "menu" in self.seen)
        return True

    def jump(self):
        """Moves the program's clock: a little back or forth, or on to a
        little before the accepted time (never more than 20 minutes)."""
        sd, now = self.shutdown, self.session.program_time()
        ahead = (sd.accepted - now).total_seconds() if sd.accepted else None
        if ahead is not None and 12 < ahead < 1200 and self.rng.random() < 0.7:
            seconds = ahead - self.rng.uniform(5, 12)
        else:
            seconds = self.rng.choice([-1, 1]) * self.rng.choice([self.rng.uniform(1, 20), self.rng.uniform(20, 90)])
        self.session.set_offset(self.session.offset() + seconds)
        sd.since = max(sd.since, time.time())
        self.counts["jumps"] += 1
        self.digits_due = True
        return f"{seconds:+.1f} s"

    def notice_cancel(self):
        subprocess.run(["gdbus", "call", "--address", os.environ["DBUS_SESSION_BUS_ADDRESS"],
                        "--dest", "org.freedesktop.Notifications", "--object-path",
                        "/org/freedesktop/Notifications", "--method", "org.freedesktop.DBus.Mock.EmitSignal",
                        "org.freedesktop.Notifications", "ActionInvoked", "us",
                        f"[<uint32 {self.shutdown.notice}>, <'cancel'>]"], check=True, capture_output=True)
        self.shutdown.cancelled()
        self.counts["cancels"] += 1
        return True

    def terminate(self):
        self.process.send_signal(signal.SIGTERM)
        self.ended("SIGTERM")
        return True

    def second_start(self):
        other = self.session.start()
        if poll(lambda: other.poll() is not None, 5) is None:
            other.kill()
            raise Fault("a second start is still running after 5 s")
        if other.returncode != 0:
            raise Fault(f"a second start ended with status {other.returncode}")
        if "config" not in self.seen:  # it shows the clock, as a left click on the icon does
            self.visible = True
        return True

    def idle(self):
        time.sleep(self.rng.uniform(0.2, 0.8))
        return True
