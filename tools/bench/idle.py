#!/usr/bin/python3
"""Memory and idle cost: resident memory 5 s after the start, then CPU time
and wake-ups while the clock idles with its face on screen.

CPU time is read two ways: utime + stime of /proc/<pid>/stat (clock ticks,
10 ms each) and the per-thread run time of /proc/<pid>/task/*/schedstat
(nanoseconds). Wake-ups are voluntary context switches, summed over every
thread of the process (/proc/<pid>/status alone counts the main thread only).
"""

import os
import time

import benchlib

MEMORY_AT_SECONDS = 5
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def sum_deltas(before, after, field):
    """Sum of one counter's growth over the threads alive at both readings."""
    return sum(after[tid][field] - before[tid][field] for tid in after if tid in before)


def measure(session, program, idle_seconds, skin):
    process, _, _, mapped = session.start_and_wait_mapped(program, session.profile(skin))
    pid = process.pid
    time.sleep(max(0.0, MEMORY_AT_SECONDS - mapped))
    rss = benchlib.rss_kib(pid)

    ticks_before, tasks_before = benchlib.cpu_ticks(pid), benchlib.task_counters(pid)
    started = time.perf_counter()
    time.sleep(idle_seconds)
    ticks_after, tasks_after = benchlib.cpu_ticks(pid), benchlib.task_counters(pid)
    elapsed = time.perf_counter() - started
    benchlib.stop(process)

    main_thread = tasks_after[pid][0] - tasks_before[pid][0]
    return {
        "rss_mib": rss / 1024,
        "cpu_stat_pct": 100 * (ticks_after - ticks_before) / TICKS_PER_SECOND / elapsed,
        "cpu_sched_pct": 100 * sum_deltas(tasks_before, tasks_after, 2) / 1e9 / elapsed,
        "wakeups": sum_deltas(tasks_before, tasks_after, 0) / elapsed,
        "main_wakeups": main_thread / elapsed,
        "preemptions": sum_deltas(tasks_before, tasks_after, 1) / elapsed,
        "threads": len(tasks_after),
    }


def main():
    args = benchlib.arguments(__doc__.splitlines()[0], idle_seconds=(
        float, 60.0, "how long to watch the idle clock, per run (default 60)"))
    results = []
    with benchlib.Session() as session:
        for _ in range(args.runs):
            results.append(measure(session, args.vesperon, args.idle_seconds, args.skin))

    def column(key):
        return [r[key] for r in results]

    seconds = f"{args.idle_seconds:g} s"
    benchlib.print_table(f"Memory {MEMORY_AT_SECONDS} s after start, then idle over {seconds}", [
        benchlib.median_row(f"resident memory (VmRSS) at {MEMORY_AT_SECONDS} s", column("rss_mib"), "MiB"),
        benchlib.median_row("CPU, utime+stime (10 ms ticks)", column("cpu_stat_pct"), "% of one core", 3),
        benchlib.median_row("CPU, schedstat run time", column("cpu_sched_pct"), "% of one core", 3),
        benchlib.median_row("wake-ups (voluntary switches), all threads", column("wakeups"), "per s"),
        benchlib.median_row("wake-ups of the main thread", column("main_wakeups"), "per s"),
        benchlib.median_row("involuntary switches, all threads", column("preemptions"), "per s", 2),
        benchlib.median_row("threads", column("threads"), "", 0),
    ], args.runs, args.skin)


if __name__ == "__main__":
    main()
