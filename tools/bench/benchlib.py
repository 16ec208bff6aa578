"""Shared by the benchmarks: a private X server and session bus, a fresh
profile per run, the clock started so that it can never reach this machine's
power-off, /proc readers, and the table they all print.

The rule for starting the clock: either the dry run is on and the system bus
address points nowhere, or the system bus is a private bus on which
org.freedesktop.login1 was checked to be dbusmock's mock (start_mock_logind).
start_vesperon refuses anything else.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import x11

REPO = Path(__file__).resolve().parents[2]
DEAD_SYSTEM_BUS = "unix:path=/nonexistent/vesperon-bench"
PYTHON = "/usr/bin/python3"  # Debian's, which has dbusmock
WINDOW_SIZE = (171, 128)


def arguments(description, **extra):
    """Common options (--vesperon, --runs) plus the script's own."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--vesperon", default=os.environ.get("VESPERON", str(REPO / "build" / "vesperon")),
                        help="the program to measure (default: build/vesperon, or $VESPERON)")
    parser.add_argument("--runs", type=int, default=5, help="runs per figure; the median is shown")
    parser.add_argument("--skin", default="",
                        help="start with this skin set (a folder of the Skins folders), "
                             "e.g. Nocturno; default: the built-in look")
    for name, (kind, default, text) in extra.items():
        parser.add_argument("--" + name.replace("_", "-"), type=kind, default=default, help=text)
    args = parser.parse_args()
    args.vesperon = str(Path(args.vesperon).resolve())
    if not os.access(args.vesperon, os.X_OK):
        sys.exit(f"{args.vesperon} is not an executable; build it first or pass --vesperon")
    return args


def machine():
    model = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    return f"{os.cpu_count()} CPUs ({model}), Linux {os.uname().release}"


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise RuntimeError(f"timed out waiting for {what}")
        time.sleep(0.01)


class Session:
    """Xvfb and a session bus of our own, for the length of a `with`."""

    def __enter__(self):
        self.dir = Path(tempfile.mkdtemp(prefix="vesperon-bench."))
        self._processes = []
        self._profiles = 0
        self.mock_address = None
        self.mock_log = None

        read_end, write_end = os.pipe()
        # -br: a black root, so a window not yet painted reads as one colour.
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp", "-noreset", "-br"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as displays:
            number = displays.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display_name = ":" + number

        session_bus = self.dir / "session-bus"
        self._spawn(["dbus-daemon", "--session", "--nofork", f"--address=unix:path={session_bus}"])
        wait_for(session_bus.exists, 10, "the session bus")

        self.base_env = {k: v for k, v in os.environ.items()
                         if k not in ("WAYLAND_DISPLAY", "SESSION_MANAGER")}
        self.base_env.update({
            "DISPLAY": self.display_name,
            "DBUS_SESSION_BUS_ADDRESS": f"unix:path={session_bus}",
            "DBUS_SYSTEM_BUS_ADDRESS": DEAD_SYSTEM_BUS,
            "VESPERON_DRY_RUN": "1",
            "LC_ALL": "C",
            "LANG": "C",
            "QT_QPA_PLATFORM": "xcb",
        })
        self.display = x11.Display(self.display_name)
        return self

    def __exit__(self, *exc):
        self.display.close()
        for process in reversed(self._processes):
            stop(process)
        shutil.rmtree(self.dir, ignore_errors=True)

    def _spawn(self, command, **options):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **options)
        self._processes.append(process)
        return process

    def profile(self, skin=""):
        """The environment of a user who never ran the clock: fresh home,
        config and runtime folders; with a skin, only that one setting."""
        self._profiles += 1
        root = self.dir / f"profile-{self._profiles}"
        for name in ("home", "config"):
            (root / name).mkdir(parents=True)
        (root / "runtime").mkdir(mode=0o700)
        if skin:
            (root / "config" / "Vesperon").mkdir()
            (root / "config" / "Vesperon" / "Vesperon.ini").write_text(f"[Window]\nSkin={skin}\n")
        env = dict(self.base_env)
        env.update({"HOME": str(root / "home"), "XDG_CONFIG_HOME": str(root / "config"),
                    "XDG_RUNTIME_DIR": str(root / "runtime")})
        return env

    def start_mock_logind(self):
        """A private bus with dbusmock's logind on it, checked over that bus."""
        socket = self.dir / "system-bus"
        address = f"unix:path={socket}"
        self._spawn(["dbus-daemon", "--session", "--nofork", f"--address={address}"])
        wait_for(socket.exists, 10, "the private system bus")
        self.mock_log = self.dir / "logind.log"
        self._spawn([PYTHON, "-m", "dbusmock", "--system", "-l", str(self.mock_log),
                     "--template", "logind"], env=dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=address))

        def owned():
            reply = subprocess.run(
                ["dbus-send", f"--bus={address}", "--print-reply", "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                 "string:org.freedesktop.login1"], capture_output=True, text=True)
            return "boolean true" in reply.stdout
        wait_for(owned, 15, "the mock logind")
        # Only dbusmock answers its Mock interface: this is not a real logind.
        subprocess.run(["dbus-send", f"--bus={address}", "--print-reply",
                        "--dest=org.freedesktop.login1", "/org/freedesktop/login1",
                        "org.freedesktop.DBus.Mock.GetCalls"], check=True, capture_output=True)
        self.mock_address = address

    def mock_env(self, env):
        """env, talking to the checked mock instead of reporting a dry run."""
        if not self.mock_address:
            raise RuntimeError("no checked mock logind")
        env = dict(env, DBUS_SYSTEM_BUS_ADDRESS=self.mock_address)
        del env["VESPERON_DRY_RUN"]
        return env

    def power_off_times(self):
        """Wall-clock times of the PowerOff calls the mock has logged."""
        if not self.mock_log or not self.mock_log.exists():
            return []
        return [float(line.split()[0]) for line in self.mock_log.read_text().splitlines()
                if " PowerOff " in line]

    def start_vesperon(self, program, env, arguments=()):
        dry = env.get("VESPERON_DRY_RUN") == "1" and env.get("DBUS_SYSTEM_BUS_ADDRESS") == DEAD_SYSTEM_BUS
        mocked = self.mock_address is not None and env.get("DBUS_SYSTEM_BUS_ADDRESS") == self.mock_address
        if not (dry or mocked):
            raise RuntimeError("refusing to start the clock: neither the dry run on a dead system bus "
                               "nor the checked mock logind")
        process = subprocess.Popen([program, *arguments], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self._processes.append(process)
        return process

    def start_and_wait_mapped(self, program, env, seconds=10):
        """Starts the clock and waits for its window to be mapped. Returns
        (process, window, perf_counter just before the exec, seconds from
        then to the map)."""
        self.display.watch_maps()
        started = time.perf_counter()
        process = self.start_vesperon(program, env)
        deadline = started + seconds
        while True:
            mapped = self.display.next_map(deadline)
            if mapped is None:
                raise RuntimeError("the clock window was not mapped in time")
            window, at = mapped
            if self.display.size(window) == WINDOW_SIZE and self.display.name(window) == "Vesperon":
                return process, window, started, at - started


def stop(process):
    if process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


# ------------------------------------------------------------------- /proc

def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def cpu_ticks(pid):
    """utime + stime of the whole process, in clock ticks."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # fields 14 and 15 of stat(5)


def task_counters(pid):
    """Per thread: (voluntary switches, involuntary switches, ns on a CPU)."""
    counters = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        try:
            switches = {}
            with open(f"/proc/{pid}/task/{tid}/status") as f:
                for line in f:
                    key, _, value = line.partition(":")
                    if key.endswith("voluntary_ctxt_switches"):
                        switches[key] = int(value)
            with open(f"/proc/{pid}/task/{tid}/schedstat") as f:
                on_cpu_ns = int(f.read().split()[0])
            counters[int(tid)] = (switches["voluntary_ctxt_switches"],
                                  switches["nonvoluntary_ctxt_switches"], on_cpu_ns)
        except FileNotFoundError:  # the thread ended meanwhile
            pass
    return counters


# -------------------------------------------------------------------- table

def median_row(name, values, unit, digits=1):
    """One line of the table: median, then min and max, of the runs."""
    if not values:
        return f"| {name} | no result | | | {unit} |"
    fmt = f"{{:.{digits}f}}"
    return "| {} | {} | {} | {} | {} |".format(
        name, fmt.format(statistics.median(values)), fmt.format(min(values)),
        fmt.format(max(values)), unit)


def print_table(title, rows, runs, skin=""):
    look = f"skin {skin}" if skin else "built-in look"
    print(f"\n{title} (median of {runs} runs, {look}; {machine()})\n")
    print("| figure | median | min | max | unit |")
    print("|---|---:|---:|---:|---|")
    for row in rows:
        print(row)
    sys.stdout.flush()
