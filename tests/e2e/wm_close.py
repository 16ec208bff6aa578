"""Closes a window the way a window manager does: a WM_DELETE_WINDOW message.

Usage: wm_close.py WINDOW_ID   (on $DISPLAY)

Xvfb runs no window manager and Debian's xdotool has no windowclose, so this
sends the client message itself, through libX11 (the benchmarks' binding).
It refuses (status 2) when the window does not take part in
WM_DELETE_WINDOW, as a window manager would then kill the client instead.
"""

import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "bench"))
import x11  # noqa: E402


def main():
    window = int(sys.argv[1], 0)
    try:
        display = x11.Display(os.environ.get("DISPLAY", ""))
    except RuntimeError as error:
        sys.exit(str(error))
    if not display.takes_part_in_delete_window(window):
        print("the window does not list WM_DELETE_WINDOW in WM_PROTOCOLS", file=sys.stderr)
        sys.exit(2)
    if not display.send_delete_window(window):
        sys.exit("XSendEvent failed")
    display.close()  # flushes the request


if __name__ == "__main__":
    main()
