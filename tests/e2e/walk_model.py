"""What the random walk knows besides the screen: the session that
test_random_walk.sh set up and the program's starts in it, the program's
clock under libfaketime, the settings file, the mocks' logs, and its model
of the shutdown.
"""

import configparser
import datetime
import os
import subprocess
import time

SLACK = 3.0   # seconds a timer or a window may be late on a loaded machine
QUIET = 2.5   # seconds before a race the walk only waits
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"


class Fault(Exception):
    pass


def poll(condition, seconds, interval=0.02):
    """The first true value of condition() within the deadline, else None."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value or None
        time.sleep(interval)


class Session:
    """The places test_random_walk.sh set up, the program's clock and its starts."""

    def __init__(self, vesperon):
        self.vesperon = vesperon
        self.work, self.ini = os.environ["WALK_WORK"], os.environ["WALK_INI"]
        self.logind_log, self.notify_log = os.environ["WALK_LOGIND_LOG"], os.environ["WALK_NOTIFY_LOG"]
        self.mock_bus = os.environ["WALK_MOCK_BUS"]
        self.skins = os.path.join(os.path.dirname(vesperon), "Skins")
        self.faketime = os.path.join(self.work, "faketime")
        self.starts = 0
        # The program's clock starts at today's noon, far from midnight, and
        # moves with the jumps: (real time, offset) of each change.
        self.offsets = []
        noon = datetime.datetime.combine(datetime.date.today(), datetime.time(12))
        self.set_offset(noon.timestamp() - time.time())

    def set_offset(self, seconds):
        # libfaketime reads the file at every clock read (FAKETIME_NO_CACHE).
        with open(self.faketime + ".new", "w") as f:
            f.write(f"{seconds:+.3f}s\n")
        os.replace(self.faketime + ".new", self.faketime)
        self.offsets.append((time.time(), seconds))

    def offset(self):
        return self.offsets[-1][1]

    def program_time(self, real=None, latest_within=0.0):
        """The program's local time at a real moment; with latest_within, the
        latest it may have read then, as a jump may reach it a little late."""
        real = time.time() if real is None else real
        since = real - latest_within
        before = [o for t, o in self.offsets if t <= since] or [self.offsets[0][1]]
        offset = max([before[-1]] + [o for t, o in self.offsets if since < t <= real])
        return datetime.datetime.fromtimestamp(real + offset)

    def environment(self):
        # The dry run is off: refused unless the system bus is still the mock
        # logind that lib.sh checked, and answers as the mock.
        if os.environ.get("VESPERON_DRY_RUN") or os.environ.get("DBUS_SYSTEM_BUS_ADDRESS") != self.mock_bus:
            raise Fault("refusing to start: the system bus is not the checked mock")
        calls = subprocess.run(["dbus-send", f"--bus={self.mock_bus}", "--print-reply",
                                "--dest=org.freedesktop.login1", "/org/freedesktop/login1",
                                "org.freedesktop.DBus.Mock.GetCalls"], capture_output=True, check=False)
        if calls.returncode != 0:
            raise Fault("refusing to start: org.freedesktop.login1 does not answer as the mock")
        # Only the wall clock moves: the monotonic clock of Qt's timers does not.
        return dict(os.environ, LD_PRELOAD=FAKETIME, FAKETIME_TIMESTAMP_FILE=self.faketime,
                    FAKETIME_NO_CACHE="1", FAKETIME_DONT_FAKE_MONOTONIC="1")

    def start(self, *arguments):
        self.starts += 1
        log = os.path.join(self.work, f"walk-vesperon-{self.starts}")
        with open(log + ".out", "w") as out, open(log + ".err", "w") as err:
            return subprocess.Popen([self.vesperon, *arguments], env=self.environment(),
                                    stdout=out, stderr=err)

    def stderr_tail(self, lines=15):
        try:
            with open(os.path.join(self.work, f"walk-vesperon-{self.starts}.err")) as f:
                return "".join(f.readlines()[-lines:])
        except OSError:
            return ""


def rss_kib(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


# ------------------------------------------------------------ settings file

SETTINGS = {
    "Apagado": {"Horas": range(24), "Minutos": range(60), "Segundos": range(60), "Remain": range(8),
                "WindowsVersion": (1, 2), "UsaSpeaker": (0, 1), "SpeakerMelody": range(3),
                "FechaApagado": "date", "Diario": (0, 1)},
    "Window": {"OnTop": (0, 1), "Skin": "skin", "xpos": "number", "ypos": "number"},
    "Vesperon": {"AutoStart": (0, 1)},
}


def parse_date(text):
    """FechaApagado as the program writes it in the C locale ("8 Dec 2026")."""
    try:
        return datetime.datetime.strptime(text, "%d %b %Y").date()
    except ValueError:
        return None


def readable(allowed, text, skins):
    if allowed == "date":
        return parse_date(text) is not None
    if allowed == "skin":
        return text == "" or os.path.isdir(os.path.join(skins, text))
    if allowed == "number":
        try:
            return abs(float(text)) < 1e7
        except ValueError:
            return False
    return allowed is not None and text.isdigit() and str(int(text)) == text and int(text) in allowed


def read_settings(path, skins):
    """The settings file as {section: {key: text}}; Fault when it holds
    anything the program could not read back."""
    parser = configparser.RawConfigParser(strict=True, interpolation=None)
    parser.optionxform = str
    try:
        with open(path, encoding="utf-8") as f:
            parser.read_file(f)
    except FileNotFoundError:
        return {}
    except (configparser.Error, UnicodeDecodeError) as error:
        raise Fault(f"the settings file does not parse: {error}") from error
    values = {}
    for section in parser.sections():
        if section not in SETTINGS:
            raise Fault(f"the settings file has an unknown section [{section}]")
        values[section] = dict(parser.items(section))
        for key, text in values[section].items():
            if not readable(SETTINGS[section].get(key), text, skins):
                raise Fault(f"the settings file holds [{section}] {key}={text!r}")
    return values


# ------------------------------------------------------------ the mocks' logs

class Logs:
    """What the mocks heard since the last look, as (real time, kind, detail):
    "countdown" (the countdown's notice, with its number at the mock),
    "notice" (any other), "withdrawn", "poweroff"."""

    def __init__(self, session):
        self.read = {session.logind_log: 0, session.notify_log: 0}
        self.notices = 0  # the mock numbers its new notices from 1

    def new(self):
        events = []
        for path, done in self.read.items():
            try:
                with open(path, "rb") as f:
                    f.seek(done)
                    data = f.read()
            except FileNotFoundError:
                continue
            data = data[:data.rfind(b"\n") + 1]  # whole lines only
            self.read[path] = done + len(data)
            for line in data.decode("utf-8", errors="replace").splitlines():
                stamp, _, call = line.partition(" ")
                if call.startswith("PowerOff"):
                    events.append((float(stamp), "poweroff", call))
                elif call.startswith("Notify "):
                    if call.split(" ", 3)[2] == "0":  # not replacing one
                        self.notices += 1
                    kind = "countdown" if '"Se apagará en: ' in call else "notice"
                    events.append((float(stamp), kind, self.notices))
                elif call.startswith("CloseNotification"):
                    events.append((float(stamp), "withdrawn", call))
        return sorted(events)


# ------------------------------------------------------- the shutdown model

class Shutdown:
    """What the walk knows of the shutdown in one run of the program, from
    what it did and read back: the accepted time (on the program's clock,
    read from the settings file after each accept), armed or not (its own
    clicks, which the face's indicator confirms), the countdown (its start,
    from the notice in the mock's log) and the countdown's length (from the
    settings file at the start). With the daily shutdown on, the stored time
    is armed at the start and again after each countdown, for its next
    occurrence strictly ahead."""

    def __init__(self, session, length, daily=False, time_of_day=None):
        self.session, self.length = session, length
        self.daily, self.time_of_day = daily, time_of_day
        self.accepted = None
        self.armed = False
        self.countdown = None
        self.fired_for = None     # the accepted time the countdown is for
        # Armed within a second or two of the time itself: the program may
        # have taken the other of today's and tomorrow's.
        self.alternative = None
        self.notice = None
        self.since = time.time()  # an armed time may fire from here on
        self.withdraw_by = None   # after a cancel, the notice goes by then

    def describe(self):
        accepted = f"{self.accepted:%H:%M:%S %d %b}" if self.accepted else "none"
        countdown = f"since {time.time() - self.countdown:.1f} s" if self.countdown else "none"
        return (f"accepted {accepted}, armed {self.armed}, countdown {countdown} "
                f"({self.length} s), program clock {self.session.program_time():%H:%M:%S}")

    def arm_daily(self, now, not_before=None):
        """The stored time armed for its next occurrence strictly after the
        program's `now`, on `not_before` at the earliest."""
        today = datetime.datetime.combine(now.date(), self.time_of_day)
        target = today if today > now else today + datetime.timedelta(days=1)
        if not_before is not None:
            target = max(target, not_before)
        # The program read its clock when the walk did, give or take a second.
        near = abs(today - now) < datetime.timedelta(seconds=2)
        other = today + datetime.timedelta(days=1) if target == today else today
        self.alternative = other if near and (not_before is None or other >= not_before) else None
        self.accepted, self.armed, self.since = target, True, time.time()

    def after_countdown(self, at):
        """A countdown ended, at zero or cancelled: disarmed, or with the daily
        shutdown on, armed for the day after the one it fired on."""
        self.countdown, self.armed = None, False
        if self.daily and self.fired_for is not None:
            self.arm_daily(self.session.program_time(at), self.fired_for + datetime.timedelta(days=1))

    def due(self):
        """Real time at which the armed time starts a countdown, or None."""
        if not (self.armed and self.accepted):
            return None
        return max(self.accepted.timestamp() - self.session.offset(), self.since)

    def quiet(self):
        """Why the walk must only wait now, or None: an armed time coming due,
        or a countdown coming to zero, whose outcome a click could race."""
        now, due = time.time(), self.due()
        if due is not None and self.alternative:
            due = min(due, self.alternative.timestamp() - self.session.offset())
        if due is not None and now >= due - QUIET:
            return f"the armed time is due in {due - now:.1f} s"
        if self.countdown is not None and now >= self.countdown + self.length - QUIET:
            return "the countdown is coming to zero"
        return None

    def take(self, at, kind, detail):
        """An event from the mocks' logs."""
        if kind == "countdown":
            fired = self.session.program_time(at, latest_within=1.0)
            if self.alternative and fired >= self.alternative:
                self.accepted = self.alternative  # the program took today's
            if not (self.armed and self.accepted and fired >= self.accepted):
                raise Fault(f"a countdown started at {fired:%H:%M:%S} (program clock) with {self.describe()}")
            self.countdown, self.notice, self.fired_for, self.accepted = at, detail, self.accepted, None
            self.alternative = None
        elif kind == "poweroff":
            if self.countdown is None or not (
                    self.countdown + self.length - 1 <= at <= self.countdown + self.length + SLACK):
                raise Fault(f"PowerOff reached logind with {self.describe()}")
            self.after_countdown(at)  # spent: the clock disarms at zero, unless daily
        elif kind == "withdrawn":
            self.withdraw_by = None

    def check_due(self):
        now, due = time.time(), self.due()
        if self.alternative and self.alternative < self.accepted and \
                now > self.alternative.timestamp() - self.session.offset() + SLACK:
            self.alternative = None  # today's passed with no countdown: the program took tomorrow's too
        if due is not None and now > due + SLACK and self.alternative and self.alternative > self.accepted:
            self.accepted, self.alternative = self.alternative, None  # the program took tomorrow's
        elif due is not None and now > due + SLACK:
            raise Fault(f"the armed time came {now - due:.1f} s ago and no countdown started: {self.describe()}")
        if self.countdown is not None and now > self.countdown + self.length + SLACK:
            raise Fault(f"no PowerOff at the end of the countdown: {self.describe()}")
        if self.withdraw_by is not None and now > self.withdraw_by:
            raise Fault("the countdown's notice was not withdrawn after the cancel")

    def cancelled(self, by_exit=False):
        if by_exit:
            self.countdown, self.armed = None, False
            return
        self.after_countdown(time.time())
        self.withdraw_by = time.time() + SLACK

    def daily_turned_on(self, at):
        """The configuration dialog turned the daily shutdown on at real time
        `at`: the stored time is armed at once, unless a countdown runs."""
        self.daily = True
        if self.countdown is None:
            self.arm_daily(self.session.program_time(at))

    def tip_pressed(self, editing, blocked):
        """TipApagado pressed: what it does."""
        if self.countdown is not None:
            self.cancelled()
            return "cancels"
        if editing or blocked or not self.accepted:
            return "does nothing"
        self.armed = not self.armed
        self.since = time.time()
        return "arms" if self.armed else "disarms"

    def indicator(self):
        return "stop" if self.countdown is not None else "on" if self.armed else "off"
