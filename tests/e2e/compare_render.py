"""Compares a screenshot of the clock with vesperon-skin's renders of it.

Usage: compare_render.py SHOT.ppm BEFORE.ppm AFTER.ppm SKIN_DIR

BEFORE and AFTER are renders at the seconds just before and after the
capture. The screenshot must equal BEFORE pixel for pixel, except that each
digit may show AFTER's digit instead (the second ticked during the capture)
and each colon may be in its hidden blink phase (the skin's background).
Prints what differs and exits 1 when anything else does.
"""

import os
import sys

from face import PLACES, read_bmp, read_ppm


def main():
    shot, before, after = (read_ppm(p) for p in sys.argv[1:4])
    base = read_bmp(os.path.join(sys.argv[4], "skin-base.bmp"))
    if (shot.width, shot.height) != (before.width, before.height):
        sys.exit(f"the window is {shot.width}x{shot.height}, the render {before.width}x{before.height}")

    problems = []
    masked = []
    for place, rect in PLACES.items():
        if place.startswith("digit"):
            allowed = (before.crop(*rect), after.crop(*rect))
        elif place.startswith("colon"):
            allowed = (before.crop(*rect), base.crop(*rect))
        else:
            continue
        masked.append(rect)
        if shot.crop(*rect) not in allowed:
            problems.append(place)

    def outside(x, y):
        return not any(l <= x < l + w and t <= y < t + h for l, t, w, h in masked)

    differing = [(x, y) for y in range(shot.height) for x in range(shot.width)
                 if outside(x, y) and shot.rows[y][3 * x:3 * x + 3] != before.rows[y][3 * x:3 * x + 3]]
    if differing:
        xs = [x for x, _ in differing]
        ys = [y for _, y in differing]
        problems.append(f"{len(differing)} pixels elsewhere, within x {min(xs)}..{max(xs)}, "
                        f"y {min(ys)}..{max(ys)}")
    if problems:
        print("differs: " + "; ".join(problems))
        sys.exit(1)
    print("same")


if __name__ == "__main__":
    main()
