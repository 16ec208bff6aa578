#!/usr/bin/env bash
# Under a window manager (openbox) with an XEmbed tray (trayer): a drag that
# snaps the clock to the left edge and goes on, button held, past x = 513
# and 517 (the numbers of the tray icon's clicks) is a drag: no menu opens
# and the clock lives on. A second start brings back a clock hidden in the
# tray, or one covered by another window, ends with status 0 and touches no
# setting; it ends with status 0 too when the running clock does not answer.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

file_state() { echo "$(sha1sum <"$1") $(stat -c '%s %.9Y' "$1")"; }

# Starts Vesperon again and checks that it ends by itself, silently, with
# status 0, within $1 seconds; sets TOOK_MS.
second_start() {
  local started
  started=$(now_us)
  start_vesperon
  wait_exit "$VPID" "$1" || fail "the second start still runs after $1 s"
  TOOK_MS=$((($(now_us) - started) / 1000))
  [ "$EXIT_STATUS" = 0 ] || fail "the second start ended with status $EXIT_STATUS"
  [ ! -s "$VLOG.err" ] || fail "the second start was not silent: $(cat "$VLOG.err")"
}

start_xvfb
start_openbox
start_trayer
start_vesperon
clock=$VPID
wait_window "$clock"
wait_tray_icon 10
read -r left top _ < <(window_geometry "$WID")

echo "a drag past x = 513 and 517 after the snap"
# The background below the plus button, away from every control.
xdotool mousemove $((left + 100)) $((top + 120)) mousedown 1
sleep 0.1
for x in 400 200 105 300 450 513 515 517 519 600 700; do
  xdotool mousemove "$x" $((top + 120))
  sleep 0.05
done
sleep 0.3
[ -z "$(menu_window_of "$clock")" ] || fail "a drag past x = 517 opened the menu"
xdotool mouseup 1
sleep 0.3
[ -z "$(menu_window_of "$clock")" ] || fail "the release opened the menu"
kill -0 "$clock" 2>/dev/null || fail "the clock ended"
is_mapped "$WID" || fail "the clock is no longer on screen"
read -r left_after _ < <(window_geometry "$WID")
[ "$left_after" = 0 ] || fail "after the snap the clock moved on to x = $left_after"
note "snapped at x = 0 and stayed; no menu; the clock runs"

echo "a second start brings back the clock hidden in the tray"
click 136 8  # ImgMinimizar
poll 5 eval '! is_mapped "$WID"' || fail "minimized with a tray, the window is still on screen"
ini_before=$(file_state "$INI")
entry_before=$(file_state "$AUTOSTART_ENTRY")
sleep 0.05  # any write now would get a later time stamp
second_start 5
poll 2 is_mapped "$WID" || fail "the second start did not bring the clock back"
note "ended after ${TOOK_MS} ms with status 0; the clock is mapped again"

echo "and one covered by another window"
xlogo -geometry 300x300+0+240 &
track $!
poll 5 eval 'COVER=$(xdotool search --onlyvisible --class xlogo | head -n1); [ -n "$COVER" ]' ||
  fail "xlogo did not start"
xdotool windowactivate --sync "$COVER" 2>/dev/null || true
poll 5 eval '[ "$(xdotool getactivewindow)" = "$COVER" ]' || fail "could not put xlogo in front"
second_start 5
poll 2 eval '[ "$(xdotool getactivewindow)" = "$WID" ]' ||
  fail "the second start did not bring the clock to the front"
note "the clock is the active window again"

[ "$(file_state "$INI")" = "$ini_before" ] || fail "a second start changed the settings file"
[ "$(file_state "$AUTOSTART_ENTRY")" = "$entry_before" ] || fail "a second start changed the autostart entry"
[ "$(xdotool search --onlyvisible --name '^Vesperon$' | wc -l)" = 1 ] || fail "more than one clock window"
note "settings and autostart entry untouched; one clock"

echo "a clock that does not answer"
kill -STOP "$clock"
second_start 5
kill -CONT "$clock"
note "the second start gave up after ${TOOK_MS} ms, status 0"
kill -0 "$clock" 2>/dev/null || fail "the clock ended"
echo "PASS"
