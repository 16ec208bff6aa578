#!/usr/bin/env bash
# One clock per user: a second start ends quietly and touches nothing; a
# clock that died without cleaning up does not keep the next one out.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

file_state() { echo "$(sha1sum <"$1") $(stat -c '%s %.9Y' "$1")"; }

clock_windows() { xdotool search --onlyvisible --name '^Vesperon$' 2>/dev/null | wc -l; }

start_xvfb
start_vesperon
first=$VPID
wait_window "$first"
first_window=$WID
ini_before=$(file_state "$INI")
entry_before=$(file_state "$AUTOSTART_ENTRY")
# Any write now would get a later time stamp than the one recorded.
sleep 0.05

echo "second start while the first runs"
started=$(now_us)
start_vesperon
second=$VPID
wait_exit "$second" 5 || fail "the second start still runs after 5 s"
took_ms=$((($(now_us) - started) / 1000))
[ "$EXIT_STATUS" = 0 ] || fail "the second start ended with status $EXIT_STATUS"
[ ! -s "$VLOG.err" ] || fail "the second start was not silent: $(cat "$VLOG.err")"
note "ended by itself after ${took_ms} ms with status 0"

[ "$(clock_windows)" = 1 ] || fail "$(clock_windows) clock windows on screen, expected 1"
[ "$(visible_window_of "$first")" = "$first_window" ] || fail "the first clock's window is gone"
kill -0 "$first" 2>/dev/null || fail "the first clock ended"
[ "$(file_state "$INI")" = "$ini_before" ] || fail "the second start changed the settings file"
[ "$(file_state "$AUTOSTART_ENTRY")" = "$entry_before" ] || fail "the second start changed the autostart entry"
note "one window; settings and autostart entry untouched"

echo "start after the first was killed"
# (bash would report the kill on stderr)
{ kill -KILL "$first" && wait_exit "$first" 5; } 2>/dev/null || fail "the first clock survived SIGKILL"
start_vesperon
third=$VPID
wait_window "$third"
[ "$(clock_windows)" = 1 ] || fail "$(clock_windows) clock windows on screen, expected 1"
note "a new clock starts; the dead one's lock does not count"

echo "and that clock is now the one that keeps others out"
start_vesperon
wait_exit "$VPID" 5 || fail "a start beside the new clock still runs after 5 s"
[ "$EXIT_STATUS" = 0 ] || fail "a start beside the new clock ended with status $EXIT_STATUS"
kill -0 "$third" 2>/dev/null || fail "the new clock ended"
note "yes"
echo "PASS"
