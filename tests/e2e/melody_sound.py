#!/usr/bin/python3
"""Checks melodies recorded from the sound server against the countdown's
melody table.

Usage: melody_sound.py [--every MS] RECORDING NAME...

RECORDING is mono signed 16-bit little-endian sound at 48 kHz, as parec
writes it. Each NAME (Beep, Pajaraco or GWBasic) is one melody expected in the
recording, in order; melodies are told apart by the silence between them.
With --every, each melody must start MS milliseconds after the one before, to
within MS_TOLERANCE.

Every full period of the recorded wave (from one rising zero crossing to the
next) must have a frequency within 2 % of what the table plays at that
moment; a period across a change of tone may lie anywhere between the two.
This checks the 5-ms and longer tones one by one, and the 1-ms tones of a
sweep period by period, since no single one of them lasts a full period.
Each melody's length must be the table's to within 20 ms.

Prints one line per melody with what it measured; or FAIL and why, exiting 1.
"""

import array
import sys

RATE = 48000
SAMPLES_PER_MS = RATE / 1000

# The melodies from their own figures, (Hz, ms) back to back, so that a
# mistake in the program's table cannot hide in the check.
MELODIES = {
    "Beep": [(800, 50), (700, 50)] * 3,
    "Pajaraco": [(f, 1) for f in range(700, 801)] * 2 + [(800, 150)],
    "GWBasic": [(f, 5) for f in range(800, 699, -1)],
}

FREQUENCY_TOLERANCE = 0.02
LENGTH_TOLERANCE_MS = 20
MS_TOLERANCE = 100
# Quieter samples are silence: the tones peak near 9800, silence is 0.
SILENCE = 64
# Silence this long ends a melody; the melodies have none inside.
GAP_MS = 20
# How far the onset found may lie from the true one: the fade in.
ALIGNMENT_MS = 0.5
# Tones shorter than this, each a small step from the one before, run
# together into a sweep.
SWEEP_TONE_MS = 3
SWEEP_STEP = 0.02
# A sweep's start and end are heard over this much of it.
SWEEP_END_MS = 5


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def read_samples(path):
    samples = array.array("h")
    with open(path, "rb") as file:
        samples.frombytes(file.read())
    if sys.byteorder == "big":
        samples.byteswap()
    return samples


def sounding_runs(samples):
    """(first, last) sample of each stretch of sound between gaps."""
    runs = []
    gap = GAP_MS * SAMPLES_PER_MS
    first = last = None
    for n, value in enumerate(samples):
        if abs(value) <= SILENCE:
            continue
        if first is None:
            first = n
        elif n - last > gap:
            runs.append((first, last))
            first = n
        last = n
    if first is not None:
        runs.append((first, last))
    return runs


def periods(samples, first, last):
    """(start ms, end ms, Hz) of each full period, times from `first`."""
    crossings = []
    for n in range(first + 1, last + 1):
        before, after = samples[n - 1], samples[n]
        if before < 0 <= after:
            crossings.append(n - 1 + before / (before - after) - first)
    return [(a / SAMPLES_PER_MS, b / SAMPLES_PER_MS, RATE / (b - a))
            for a, b in zip(crossings, crossings[1:])]


def tone_spans(melody):
    """(start ms, end ms, Hz) of each tone."""
    spans, start = [], 0
    for frequency, duration in melody:
        spans.append((start, start + duration, frequency))
        start += duration
    return spans


def deviation(frequency, low, high):
    """How far frequency lies outside [low, high], relative to it."""
    if frequency < low:
        return (low - frequency) / low
    if frequency > high:
        return (frequency - high) / high
    return 0.0


def check_melody(name, samples, first, last):
    melody = MELODIES[name]
    spans = tone_spans(melody)
    expected_ms = spans[-1][1]
    length_ms = (last - first + 1) / SAMPLES_PER_MS
    if abs(length_ms - expected_ms) > LENGTH_TOLERANCE_MS:
        fail(f"{name} lasted {length_ms:.1f} ms, the table says {expected_ms} ms")

    measured = periods(samples, first, last)
    if not measured:
        fail(f"{name}: no full period in {length_ms:.1f} ms of sound")
    worst = 0.0
    for start, end, frequency in measured:
        table = [f for a, b, f in spans if a < end + ALIGNMENT_MS and b > start - ALIGNMENT_MS]
        off = deviation(frequency, min(table), max(table))
        if off > FREQUENCY_TOLERANCE:
            fail(f"{name}: {frequency:.1f} Hz at {start:.2f}..{end:.2f} ms, "
                 f"the table plays {min(table)}..{max(table)} Hz there")
        worst = max(worst, off)

    # Tones long enough to hold whole periods, measured one by one.
    resolved, worst_tone = 0, 0.0
    for a, b, f in spans:
        inside = [m for s, e, m in measured if s >= a + ALIGNMENT_MS and e <= b - ALIGNMENT_MS]
        if inside:
            resolved += 1
            worst_tone = max(worst_tone, abs(sum(inside) / len(inside) - f) / f)

    # Sweeps of short tones: what they start and end on.
    sweeps, run = [], []
    for span, (frequency, duration) in zip(spans, melody):
        if run and (duration >= SWEEP_TONE_MS or abs(frequency - run[-1][2]) > SWEEP_STEP * frequency):
            sweeps.append(run)
            run = []
        if duration < SWEEP_TONE_MS:
            run.append(span)
    if run:
        sweeps.append(run)
    sweep_notes = []
    for run in sweeps:
        begin, end = run[0][0], run[-1][1]
        head = [m for s, e, m in measured if s >= begin + ALIGNMENT_MS and e <= begin + SWEEP_END_MS]
        tail = [m for s, e, m in measured if s >= end - SWEEP_END_MS and e <= end - ALIGNMENT_MS]
        if not head or not tail:
            fail(f"{name}: no full period at an end of the sweep at {begin}..{end} ms")
        sweep_notes.append(f"{run[0][2]}->{run[-1][2]} Hz heard as "
                           f"{sum(head) / len(head):.1f}->{sum(tail) / len(tail):.1f} Hz")

    line = (f"{name}: {length_ms:.1f} ms (table {expected_ms} ms); {len(measured)} periods, "
            f"worst {100 * worst:.2f} % off the table; "
            f"{resolved} of {len(spans)} tones resolved, worst {100 * worst_tone:.2f} %")
    if sweep_notes:
        line += "; sweeps " + ", ".join(sweep_notes)
    print(line)


def main(arguments):
    every = None
    if arguments[:1] == ["--every"]:
        every = float(arguments[1])
        arguments = arguments[2:]
    if len(arguments) < 2 or any(name not in MELODIES for name in arguments[1:]):
        fail(f"usage: melody_sound.py [--every MS] RECORDING {{{'|'.join(MELODIES)}}}...")
    path, names = arguments[0], arguments[1:]

    samples = read_samples(path)
    runs = sounding_runs(samples)
    starts = ", ".join(f"{first / SAMPLES_PER_MS:.0f}" for first, _ in runs)
    if len(runs) != len(names):
        fail(f"heard {len(runs)} melodies (starting at {starts or 'none'} ms), expected {len(names)}")
    for name, (first, last) in zip(names, runs):
        check_melody(name, samples, first, last)

    if every is not None:
        steps = [(b[0] - a[0]) / SAMPLES_PER_MS for a, b in zip(runs, runs[1:])]
        print("started " + ", ".join(f"{step:.0f}" for step in steps) + " ms after the one before")
        if any(abs(step - every) > MS_TOLERANCE for step in steps):
            fail(f"melodies not {every:.0f} ms apart")


if __name__ == "__main__":
    main(sys.argv[1:])
