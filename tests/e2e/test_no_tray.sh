#!/usr/bin/env bash
# No tray at all (a bare X session with a window manager): hiding the clock
# would strand it, so minimizing and /autostart leave it minimized in the
# taskbar (Iconic, never Withdrawn), and standard error says why, once. A
# tray that starts 3 s later gets the icon, and the minimized clock moves
# into it.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_openbox

start_vesperon
wait_window "$VPID"

echo "minimize without a tray"
for round in 1 2; do
  click 136 8  # ImgMinimizar
  poll 5 eval '[ "$(wm_state "$WID")" = Iconic ]' ||
    fail "minimized without a tray, the window is $(wm_state "$WID"), not Iconic"
  xdotool windowactivate "$WID"  # back from the taskbar
  poll 5 eval '[ "$(wm_state "$WID")" = Normal ]' || fail "the window manager could not restore the clock"
  note "round $round: Iconic, then restored by the window manager"
done
[ "$(grep -c 'no system tray' "$VLOG.err")" = 1 ] ||
  fail "standard error should say once why: $(cat "$VLOG.err")"

echo "/autostart without a tray"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "still running 5 s after SIGTERM"
start_vesperon /autostart
poll 10 eval 'WID=$(window_named "$VPID" Vesperon); [ -n "$WID" ] &&
  [ "$(wm_state "$WID")" = Iconic ]' || fail "started with /autostart and no tray, the clock is not Iconic"
note "started Iconic"

echo "a tray that comes 3 s later"
sleep 3
start_trayer
wait_tray_icon 5
poll 5 eval '[ "$(wm_state "$WID")" = Withdrawn ]' ||
  fail "with a tray there now, the minimized clock is $(wm_state "$WID"), not in the tray"
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
wait_window "$VPID" 5
note "icon docked, the clock moved into the tray and came back by the icon"
echo "PASS"
