#!/usr/bin/env bash
# A Wayland session (Debian's weston, headless, with XWayland): untold, the
# clock runs through XWayland, at its stored place, and keeps that place
# over a restart; told to be a Wayland client, it runs, says once on
# standard error what does not apply, and leaves the stored place alone.
# (weston's own X window manager places X windows only when they map, and a
# headless weston has no pointer: drags are shown under a full X window
# manager, where the clock's X side is the same.)
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_weston

mkdir -p "$(dirname "$INI")"
printf '[Window]\nxpos=1500\nypos=3000\n' >"$INI"

expect_stored_place() {
  expect_ini Window xpos 1500
  expect_ini Window ypos 3000
}

echo "untold, through XWayland, where it was"
for start in first second; do
  start_vesperon
  # The first X client starts XWayland; weston places the window just after
  # it maps.
  wait_window "$VPID" 20
  poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "100 200" ]' ||
    fail "$start start: window at $(window_geometry "$WID" | cut -d" " -f1,2) on XWayland, expected 100 200"
  kill -TERM "$VPID"
  wait_exit "$VPID" 5 || fail "still running 5 s after SIGTERM"
  [ "$EXIT_STATUS" = 0 ] || fail "ended with status $EXIT_STATUS"
  expect_stored_place
  note "$start start: on XWayland's display $DISPLAY at 100,200; 1500,3000 twips stored"
done

echo "told QT_QPA_PLATFORM=wayland: a Wayland client"
QT_QPA_PLATFORM=wayland start_vesperon
poll 10 grep -q 'as a Wayland client' "$VLOG.err" || fail "no word on standard error of what does not apply"
sleep 1
kill -0 "$VPID" 2>/dev/null || fail "the Wayland client ended: $(cat "$VLOG.err")"
[ -z "$(window_named "$VPID" Vesperon)" ] || fail "told to be a Wayland client, the clock made an X window"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "still running 5 s after SIGTERM"
[ "$EXIT_STATUS" = 0 ] || fail "ended with status $EXIT_STATUS"
[ "$(grep -c 'as a Wayland client' "$VLOG.err")" = 1 ] || fail "the word on standard error came more than once"
expect_stored_place
note "ran, said so once, and left 1500,3000 stored"
echo "PASS"
