#!/usr/bin/python3
"""Start-up time: from just before exec to the clock window being mapped, and
to its first frame being drawn.

The map is seen as the MapNotify event of the root window (selected before
the exec), read in this process and stamped on receipt: no polling, so the
figure is exact to well under a millisecond. The first frame is found by
reading the window's pixels every millisecond after the map until they are
no longer the one colour of an undrawn window (the X server's root is black).
"""

import time

import benchlib


def first_frame(display, window, started, seconds=5):
    """Seconds from the exec (perf_counter started) to the first drawn frame."""
    width, height = benchlib.WINDOW_SIZE
    deadline = time.perf_counter() + seconds
    while time.perf_counter() < deadline:
        pixels = display.pixels(window, 0, 0, width, height)
        if pixels and pixels != pixels[:4] * (len(pixels) // 4):
            return time.perf_counter() - started
        time.sleep(0.001)
    return None


def measure(session, program, env):
    process, window, started, mapped = session.start_and_wait_mapped(program, env)
    drawn = first_frame(session.display, window, started)
    benchlib.stop(process)
    return mapped, drawn


def main():
    args = benchlib.arguments(__doc__.splitlines()[0])
    with benchlib.Session() as session:
        # Once for the page cache: every run below then starts warm.
        measure(session, args.vesperon, session.profile(args.skin))

        fresh_map, fresh_drawn = [], []
        for _ in range(args.runs):
            mapped, drawn = measure(session, args.vesperon, session.profile(args.skin))
            fresh_map.append(mapped * 1000)
            if drawn is not None:
                fresh_drawn.append(drawn * 1000)

        profile = session.profile(args.skin)
        measure(session, args.vesperon, profile)  # writes the settings
        kept_map, kept_drawn = [], []
        for _ in range(args.runs):
            mapped, drawn = measure(session, args.vesperon, profile)
            kept_map.append(mapped * 1000)
            if drawn is not None:
                kept_drawn.append(drawn * 1000)

    benchlib.print_table("Start-up, exec to window", [
        benchlib.median_row("window mapped, first start (fresh profile)", fresh_map, "ms"),
        benchlib.median_row("first frame drawn, first start", fresh_drawn, "ms"),
        benchlib.median_row("window mapped, later start (settings exist)", kept_map, "ms"),
        benchlib.median_row("first frame drawn, later start", kept_drawn, "ms"),
    ], args.runs, args.skin)


if __name__ == "__main__":
    main()
