#!/usr/bin/python3
"""Latency of the shutdown road, against a mock logind on a private bus.

Each run sets a shutdown time a few seconds ahead with a 5 s countdown,
accepts and arms it with the mouse, then watches from outside:

- the arm indicator's pixels, read every millisecond: its change from the
  armed picture to the stop picture is the countdown start as drawn, and
  its return to the unarmed picture the last countdown tick as drawn;
- the mock's log, which stamps the PowerOff call on arrival.

The program draws after each timer handler, and the power-off request is
sent inside the last tick's handler before that drawing, so the on-screen
end of the countdown comes after the call is sent: the last tick and the
call cannot be told apart from outside. The figure for them is PowerOff time
minus the drawn countdown start minus the 5 s countdown.
"""

import os
import subprocess
import time

import benchlib

LEAD_SECONDS = 4
COUNTDOWN_SECONDS = 5  # Remain=0
TIP_APAGADO = (104, 48, 49, 9)


def prepare_profile(env, target):
    t = time.localtime(target)
    folder = f"{env['XDG_CONFIG_HOME']}/Vesperon"
    os.makedirs(folder, exist_ok=True)
    with open(f"{folder}/Vesperon.ini", "w") as f:
        f.write(f"[Apagado]\nHoras={t.tm_hour}\nMinutos={t.tm_min}\nSegundos={t.tm_sec}\n"
                "Remain=0\nUsaSpeaker=0\nWindowsVersion=2\n")


def click(env, window, x, y, count=1):
    subprocess.run(["xdotool", "mousemove", "--window", str(window), str(x), str(y),
                    "click", "--repeat", str(count), "--delay", "80", "1"], env=env, check=True)


def watch_until(display, window, done, seconds):
    """Reads the indicator every millisecond until done(pixels) holds;
    returns the wall-clock time of that reading, or None."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        pixels = display.pixels(window, *TIP_APAGADO)
        if pixels and done(pixels):
            return time.time()
        time.sleep(0.001)
    return None


def one_run(session, program):
    # Keep the whole run on one date: no shutdown time just before midnight.
    now = time.time()
    seconds_of_day = (now - time.mktime(time.localtime(now)[:3] + (0, 0, 0, 0, 0, -1)))
    if seconds_of_day > 86400 - 30:
        time.sleep(86400 - seconds_of_day + 1)
    target = int(time.time()) + LEAD_SECONDS

    env = session.mock_env(session.profile())
    prepare_profile(env, target)
    calls_before = len(session.power_off_times())
    process, window, _, _ = session.start_and_wait_mapped(program, env)
    display = session.display
    time.sleep(0.2)

    click(env, window, 26, 47, count=2)  # a digit: opens the editor
    click(env, window, 145, 42)          # ImgTipOk: accept
    time.sleep(0.1)
    unarmed = display.pixels(window, *TIP_APAGADO)
    click(env, window, 128, 52)          # TipApagado: arm
    armed_at = watch_until(display, window, lambda p: p != unarmed, 2)
    if armed_at is None or armed_at >= target:
        benchlib.stop(process)
        raise RuntimeError("could not accept and arm before the shutdown time")
    armed = display.pixels(window, *TIP_APAGADO)

    start = watch_until(display, window, lambda p: p != armed, target - time.time() + 3)
    end = watch_until(display, window, lambda p: p == unarmed, COUNTDOWN_SECONDS + 3)
    deadline = time.time() + 3
    while len(session.power_off_times()) == calls_before and time.time() < deadline:
        time.sleep(0.01)
    time.sleep(1)  # room for a second call, which would be a fault
    calls = session.power_off_times()[calls_before:]
    benchlib.stop(process)
    if start is None or end is None or len(calls) != 1:
        raise RuntimeError(f"run failed: countdown start {start}, end {end}, {len(calls)} PowerOff calls")
    return {
        "start": (start - target) * 1000,
        "countdown": (end - start) * 1000,
        "poweroff": (calls[0] - target) * 1000,
        "overhead": (calls[0] - start - COUNTDOWN_SECONDS) * 1000,
        "call_vs_drawn_end": (calls[0] - end) * 1000,
    }


def main():
    args = benchlib.arguments(__doc__.splitlines()[0])
    results = []
    with benchlib.Session() as session:
        session.start_mock_logind()
        for _ in range(args.runs):
            results.append(one_run(session, args.vesperon))

    def column(key):
        return [r[key] for r in results]

    benchlib.print_table("Shutdown road (target second = the accepted time; 5 s countdown)", [
        benchlib.median_row("target second -> countdown start drawn", column("start"), "ms"),
        benchlib.median_row("countdown start drawn -> end drawn", column("countdown"), "ms"),
        benchlib.median_row("target second -> PowerOff at the mock", column("poweroff"), "ms"),
        benchlib.median_row("PowerOff - countdown start drawn - 5 s", column("overhead"), "ms"),
        benchlib.median_row("PowerOff at the mock - end drawn", column("call_vs_drawn_end"), "ms"),
    ], args.runs)


if __name__ == "__main__":
    main()
