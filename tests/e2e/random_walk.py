#!/usr/bin/python3
"""A seeded random walk over the whole clock, its invariants checked after
every step.

Usage: random_walk.py VESPERON [--seed N] [--actions N] [--shots DIR]

test_random_walk.sh starts it once lib.sh has brought the session up
(Xvfb, openbox, trayer, the checked mock logind on a private system bus,
the mock notification server on a private session bus) and names the
places in the environment: WALK_WORK, WALK_INI, WALK_LOGIND_LOG,
WALK_NOTIFY_LOG, WALK_MOCK_BUS. The program runs with the dry run off,
under libfaketime, whose offset the walk moves back and forth.

Each step is one thing a user can do with what the screen shows (see
walk_actions.py), drawn at random; a seed gives the same draws again.
After each step, Walk.check holds the program to its invariants: one clock
window, the same X window all along, shown or reachable from the tray as
the walk expects; the menu on a right click; a settings file the program
can read back; alive unless asked to end, and then ended within 2 s with
status 0; resident memory under 80 MB; the face's indicators as the walk's
model of the shutdown says; a countdown only for an armed time come due,
and then exactly one PowerOff at its end unless the walk cancelled it.

The model stays exact because the walk never races the program: from a
little before an armed time comes due until its countdown has started, and
from a little before a countdown ends until its PowerOff, it only waits.

The menu is probed (a right click on the clock, then Escape) whenever the
coarse state changed since the last probe (program, editor, armed, accepted
time, countdown, skin, on top, note window), and one step in eight besides.
"""

import argparse
import datetime
import os
import random
import signal
import subprocess
import sys
import time

from walk_actions import Actions
from walk_model import QUIET, SLACK, Fault, Logs, Session, Shutdown, poll, read_settings, rss_kib
from walk_screen import COLONS, CONTROLS, DIGITS, MENU_ROWS, OK, OPENERS, TIP
from x11_client import Display

MAX_RSS_KIB = 80 * 1024
SKINS = ["", "", "Nocturno", "LCD Verde", "Vesperon"]


class Walk(Actions):
    def __init__(self, vesperon, seed, shots):
        self.x, self.session = Display(), Session(vesperon)
        self.logs = Logs(self.session)
        self.rng, self.seed, self.shots = random.Random(seed), seed, shots
        self.history, self.began = [], time.time()
        self.process = self.shutdown = None
        self.counts = dict.fromkeys(["countdowns", "power-offs", "cancels", "starts", "jumps", "probes"], 0)
        self.largest_rss = 0
        self.last_press = (0, 0, 0, 0.0)
        self.digits_due = False
        self.seen, self.tops = {}, []

    def record(self, what, at=None):
        at = time.time() if at is None else at
        self.history.append(f"{at - self.began:7.2f} s  {self.session.program_time(at):%H:%M:%S}  {what}")

    def setting(self, section, key):
        return read_settings(self.session.ini, self.session.skins).get(section, {}).get(key)

    # ------------------------------------------------------ starting, ending

    def store_time_ahead(self, first):
        """As a user who set a time in an earlier run: a shutdown time a few
        seconds ahead stands in the settings file when the clock starts."""
        at = self.session.program_time() + datetime.timedelta(seconds=self.rng.uniform(6, 40))
        fields = {"Horas": at.hour, "Minutos": at.minute, "Segundos": at.second}
        if first:
            os.makedirs(os.path.dirname(self.session.ini), exist_ok=True)
            with open(self.session.ini, "w") as f:
                f.write("[Apagado]\n" + "".join(f"{k}={v}\n" for k, v in fields.items()) +
                        f"Remain={self.rng.choice([0, 0, 0, 1, 1, 3])}\n"
                        f"UsaSpeaker={self.rng.choice([0, 1])}\nSpeakerMelody={self.rng.randint(0, 2)}\n"
                        f"WindowsVersion={self.rng.choice([1, 2])}\nDiario={self.rng.choice([0, 0, 1])}\n"
                        f"[Window]\nOnTop={self.rng.choice([0, 1])}\nSkin={self.rng.choice(SKINS)}\n")
            return
        with open(self.session.ini) as f:
            lines = f.read().splitlines()
        lines = [f"{line.split('=')[0]}={fields[line.split('=')[0]]}" if line.split("=")[0] in fields else line
                 for line in lines]
        with open(self.session.ini, "w") as f:
            f.write("\n".join(lines) + "\n")

    def start(self, autostart=False, first=False):
        if first or self.rng.random() < 0.6:
            self.store_time_ahead(first)
        settings = read_settings(self.session.ini, self.session.skins)
        remain = settings.get("Apagado", {}).get("Remain", "3")
        self.load_skin(settings.get("Window", {}).get("Skin", ""))
        self.process = self.session.start(*(["/autostart"] if autostart else []))
        self.counts["starts"] += 1
        apagado = settings.get("Apagado", {})
        time_of_day = datetime.time(*(int(apagado.get(k, "0")) for k in ("Horas", "Minutos", "Segundos")))
        self.shutdown = Shutdown(self.session, (int(remain) + 1) * 5, apagado.get("Diario") == "1", time_of_day)
        if self.shutdown.daily:  # armed at every start
            self.shutdown.arm_daily(self.session.program_time())
        self.editing, self.visible, self.clock_id, self.probed = False, not autostart, None, None
        self.record(f"start{' /autostart' if autostart else ''} ({self.shutdown.length} s countdown)")
        self.expect("no tray icon docked", lambda: "tray" in self.seen, 10)
        self.expect("the clock did not come up as started", lambda: bool(self.shown()) == (not autostart), 10)
        self.on_top = self.setting("Window", "OnTop")

    def ended(self, asked_by):
        """Asked to end, the program ends within 2 s (and a second of slack)
        with status 0, and a countdown with it; a new start follows."""
        if poll(lambda: self.process.poll() is not None, 2.0 + 1.0) is None:
            raise Fault(f"still running 3 s after {asked_by}")
        if self.process.returncode != 0:
            raise Fault(f"ended with status {self.process.returncode} after {asked_by}")
        self.counts["cancels"] += self.shutdown.countdown is not None
        self.take_logs(ending=True)
        self.start(autostart=self.rng.random() < 0.3)

    # ------------------------------------------------------------ checking

    def take_logs(self, ending=False):
        for at, kind, detail in self.logs.new():
            self.shutdown.take(at, kind, detail)
            if kind == "countdown":
                self.counts["countdowns"] += 1
                self.visible = True  # the countdown brings the clock back
                self.record(f"(a countdown starts, notice {detail})", at)
            elif kind == "poweroff":
                self.counts["power-offs"] += 1
                self.record("(PowerOff reaches logind)", at)
        if ending:
            if self.shutdown.countdown is not None:
                self.shutdown.cancelled(by_exit=True)
            return
        if self.process.poll() is not None:
            raise Fault(f"the program ended unasked, status {self.process.returncode}")
        self.shutdown.check_due()

    def wait_out_quiet(self):
        reason = self.shutdown.quiet()
        if not reason:
            return
        self.record(f"(waits: {reason})")
        # At most an armed time's slack and the longest countdown with its own.
        deadline = time.monotonic() + 2 * (QUIET + SLACK) + 40
        while self.shutdown.quiet():
            self.take_logs()
            if time.monotonic() > deadline:
                raise Fault(f"still waiting, {reason}: {self.shutdown.describe()}")
            time.sleep(0.05)
        self.check()

    def check(self):
        """The invariants, after every step."""
        self.take_logs()
        rss = rss_kib(self.process.pid)
        self.largest_rss = max(self.largest_rss, rss)
        if rss > MAX_RSS_KIB:
            raise Fault(f"resident memory is {rss // 1024} MB")
        read_settings(self.session.ini, self.session.skins)
        self.check_windows()
        self.check_face()
        if self.digits_due:
            self.check_digits()
        self.probe_menu()

    def check_windows(self):
        def as_expected():
            clocks = self.look().get("clock", [])
            if len(clocks) > 1:
                raise Fault(f"{len(clocks)} clock windows: {[hex(c.id) for c in clocks]}")
            if clocks and self.clock_id not in (None, clocks[0].id):
                raise Fault(f"the clock's X window changed from {self.clock_id:#x} to {clocks[0].id:#x}")
            self.clock_id = clocks[0].id if clocks else self.clock_id
            shown = bool(self.shown())
            return (self.visible is None or shown == self.visible) and (shown or "tray" in self.seen)
        if not poll(as_expected, SLACK):
            raise Fault(f"the clock is {'shown' if self.shown() else 'hidden'}"
                        f"{'' if 'tray' in self.seen else ' with no tray icon'}, "
                        f"the walk expects it {'shown' if self.visible else 'hidden'}")

    def check_face(self):
        """The indicators show the model's state, where the face is in view."""
        def agrees():
            self.take_logs()
            self.look()
            want = (TIP[self.shutdown.indicator()], OK[self.editing])
            self.face_seen = (self.read(CONTROLS["TipApagado"], set().union(*TIP.values())),
                              self.read(CONTROLS["ImgTipOk"], set().union(*OK.values())))
            return all(seen is None or seen & wanted for wanted, seen in zip(want, self.face_seen))
        if not poll(agrees, 2.0):
            raise Fault(f"the face shows {self.face_seen}, the walk expects "
                        f"{TIP[self.shutdown.indicator()]}, {OK[self.editing]}: {self.shutdown.describe()}")

    def check_digits(self):
        """After a jump, the face shows the program's new time."""
        self.digits_due = False
        if self.editing:
            return

        def agrees():
            self.look()
            shown = [self.read(rect, set(map(str, range(10))), whole=True) for rect in DIGITS.values()]
            if None in shown:
                return "out of view"
            now = self.session.program_time()
            self.digits_seen = ("".join(min(s) if len(s) == 1 else "?" for s in shown), now)
            return self.digits_seen[0] in (f"{now:%H%M%S}", f"{now - datetime.timedelta(seconds=1):%H%M%S}")
        if not poll(agrees, SLACK):
            raise Fault(f"the face shows {self.digits_seen[0]}, the program's clock is {self.digits_seen[1]:%H%M%S}")

    def probe_menu(self):
        sd = self.shutdown
        state = (self.process.pid, self.editing, sd.armed, sd.accepted, sd.countdown, self.skin,
                 self.on_top, "note" in self.seen)
        if state == self.probed and self.rng.random() >= 1 / 8:
            return
        self.look()
        spot = self.background_point()
        if not self.shown() or self.modal() or "menu" in self.seen or sd.quiet() or not spot:
            return
        if not self.reach(spot):
            return
        self.press(*spot, button=3)
        self.expect("a right click on the clock opened no menu", lambda: "menu" in self.seen)
        self.x.key("Escape")
        self.expect("Escape did not close the menu", lambda: "menu" not in self.seen)
        self.counts["probes"] += 1
        self.probed = state

    # ------------------------------------------------------------ choosing

    def options(self):
        """(weight, description, action) for what a user can do with the screen as it is."""
        seen, sd, modal, shown = self.seen, self.shutdown, self.modal(), self.shown()
        waiting = sd.armed and sd.accepted and sd.countdown is None
        # What would cancel a countdown is rare while one runs: most should reach their PowerOff.
        rare = 0.25 if sd.countdown is not None else 1.0
        options = [(2.0 if waiting else 0.6, "jump the clock", self.jump), (0.3, "idle", self.idle),
                   (0.15 * rare, "SIGTERM, and a new start", self.terminate),
                   (0.15, "a second start", self.second_start)]
        add = lambda weight, what, action: options.append((weight, what, action))  # noqa: E731
        if sd.countdown is not None:
            add(0.1, "Cancelar on the notice", self.notice_cancel)
        if "menu" in seen:
            for entry in filter(None, MENU_ROWS):
                weight = 0.15 * rare if entry == "Salir" else 1.0
                add(weight, f"menu: {entry} by mouse", lambda e=entry: self.menu_entry(e, False))
                add(weight, f"menu: {entry} by keys", lambda e=entry: self.menu_entry(e, True))
            add(1.5, "menu: Escape", lambda: self.menu_away("Escape"))
            add(0.5, "menu: a click away", lambda: self.menu_away("a click away"))
            return options
        if "tray" in seen:
            add(0.5 if shown else 2.5, "tray: left click", lambda: self.tray_click(1))
            add(0.8, "tray: right click", lambda: self.tray_click(3))
        if modal == "config":
            add(5, "configuration: keys", self.config_keys)
            for how, weight in (("Return", 1), ("alt+a", 1), ("Escape", 1), ("alt+c", 0.5), ("close", 0.5)):
                add(weight, f"configuration: {how}", lambda h=how: self.end_dialog("config", h))
        elif modal:
            for how in ("Return", "Escape", "space", "close") if modal == "box" else ("Escape", "close"):
                add(1, f"{modal}: {how}", lambda h=how, m=modal: self.end_dialog(m, h))
        if shown and modal:
            if sd.countdown is not None:
                add(0.2, "TipApagado, over the dialog", lambda: self.click_control("TipApagado"))
            add(0.5, "a click on the clock, which the dialog holds", self.held_by_dialog)
        if "note" in seen and not modal:
            add(0.8, "note: its close button", self.note_close)
            add(0.6, "note: drag", self.note_drag)
        if shown and not modal:
            self.face_options(add, rare)
        return options

    def face_options(self, add, rare):
        sd, editing = self.shutdown, self.editing
        arming = sd.accepted and not sd.armed and not editing
        weights = {"TipApagado": 6 if arming else 0.4 * rare, "ImgCerrar": 0.1 * rare,
                   "ImgTipOk": 5 if editing else 0.3, "Image1": 0.5 if editing else 0.2,
                   "ImgButtonMAS": 0.3 if editing else 0.2, "ImgButtonMENOS": 0.3 if editing else 0.2,
                   "ImgMinimizar": 0.8, "ImgConfig": 1.2, "ImgAbout": 0.6, "Command1": 0.4}
        for name in CONTROLS:
            add(weights.get(name, 0.2), f"click {name}", lambda n=name: self.click_control(n))
            add(0.05, f"right click {name}", lambda n=name: self.click_control(n, button=3))
            if name not in OPENERS:  # what their first press opens would take the second
                also = rare if name == "TipApagado" else 1.0
                add(0.1 * also, f"double click {name}", lambda n=name: self.click_control(n, double=True))
                add((0.3 if editing and "Button" in name else 0.05) * also, f"hold {name}",
                    lambda n=name: self.held(n))
        for name in [*DIGITS, *COLONS]:
            add(0.1 if editing or sd.accepted else 0.4, f"double click {name}",
                lambda n=name: self.click_control(n, double=True))
            add(0.05, f"click {name}", lambda n=name: self.click_control(n))
        add(0.8, "right click on the face", self.right_click_face)
        add(1.5, "drag the clock", self.drag_clock)

    # ------------------------------------------------------------ the walk

    def step(self):
        self.wait_out_quiet()
        self.look()
        options = self.options()
        while options:
            pick = self.rng.uniform(0, sum(weight for weight, _, _ in options))
            for n, (weight, what, action) in enumerate(options):
                pick -= weight
                if pick <= 0:
                    break
            self.record(what)
            done = action()
            if done:
                if isinstance(done, str):
                    self.history[-1] += f": {done}"
                return
            self.history.pop()
            del options[n]

    def run(self, actions):
        self.start(first=True)
        for n in range(actions):
            self.step()
            self.check()
            if (n + 1) % 50 == 0:
                print(f"  {n + 1} steps, {time.time() - self.began:.0f} s, {self.counts}", flush=True)
        # A countdown that comes to zero or an armed time that comes due is
        # seen out; then the program ends as asked.
        self.wait_out_quiet()
        self.record("SIGTERM, to end the walk")
        self.process.send_signal(signal.SIGTERM)
        if poll(lambda: self.process.poll() is not None, 3.0) is None or self.process.returncode != 0:
            raise Fault(f"the program did not end with status 0 on SIGTERM: {self.process.poll()}")
        self.take_logs(ending=True)

    def report(self, fault):
        out = sys.stderr
        print(f"FAIL: {fault}", file=out)
        shown = self.history[-(len(self.history) if os.environ.get("WALK_VERBOSE") else 20):]
        print(f"seed {self.seed} (replay: WALK_SEED={self.seed}); the last {len(shown)} actions:", file=out)
        for line in shown:
            print(f"  {line}", file=out)
        print(f"counts: {self.counts}", file=out)
        print(f"--- the program's standard error:\n{self.session.stderr_tail()}", file=out)
        for path in (self.session.logind_log, self.session.notify_log):
            with open(path, errors="replace") as f:
                print(f"--- {os.path.basename(path)}:\n{''.join(f.readlines()[-8:])}", file=out)
        if self.shots:
            shot = os.path.join(self.shots, f"random-walk-{self.seed}.png")
            subprocess.run(["import", "-window", "root", shot], check=False)
            print(f"the screen: {shot}", file=out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("vesperon")
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--actions", type=int, default=300)
    parser.add_argument("--shots", default=None, help="folder for a screenshot on failure")
    arguments = parser.parse_args()
    seed = arguments.seed if arguments.seed is not None else random.SystemRandom().randrange(1, 10**9)
    print(f"seed {seed}, {arguments.actions} actions", flush=True)
    walk = Walk(os.path.abspath(arguments.vesperon), seed, arguments.shots)
    try:
        walk.run(arguments.actions)
    except Exception as fault:  # the walk's own faults are reported the same way
        walk.report(fault)
        if not isinstance(fault, Fault):
            raise
        return 1
    finally:
        if walk.process and walk.process.poll() is None:
            walk.process.kill()
    if os.environ.get("WALK_VERBOSE"):
        print("\n".join(walk.history))
    print(f"{arguments.actions} actions in {time.time() - walk.began:.0f} s, largest resident memory "
          f"{walk.largest_rss // 1024} MB: {walk.counts}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
