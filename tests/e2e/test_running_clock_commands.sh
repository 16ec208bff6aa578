#!/usr/bin/env bash
# The command line drives the clock that runs: the README's example, with no
# clock running, starts one detached and hidden in the tray and returns with
# its answers; then --disarm, --status, a wrong --at that changes nothing,
# and --quit, which ends the clock with its place stored.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

TWIPS=15

# The day 23:30 falls on now: today, or tomorrow once it has passed.
day_of_2330() {
  if [[ "$(date +%H:%M:%S)" > "23:30:00" ]]; then date -d tomorrow +%F; else date +%F; fi
}

# The clock this script's environment started: this program file, with
# /autostart, and this script's runtime folder.
clock_pid() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/exe" 2>/dev/null)" = "$VESPERON" ] || continue
    [ "$(tr '\0' ' ' <"$p/cmdline" 2>/dev/null)" = "$VESPERON /autostart " ] || continue
    tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" &&
      { echo "${p#/proc/}"; return; }
  done
}

file_state() { echo "$(sha1sum <"$1") $(stat -c '%s %.9Y' "$1")"; }

start_xvfb
start_trayer

echo "vesperon --at 23:30 --arm && vesperon --status, with no clock running"
refuse_unless_power_off_unreachable
day_before=$(day_of_2330)
started=$(now_us)
STATUS=0
# Read through a pipe, as a terminal or a script reads it: the command
# substitution ends only when no process holds the pipe any more. A
# descriptor of ours beyond the three must not reach the clock either.
exec 9>"$WORK/descriptor-of-ours"
printed=$(timeout 30 bash -c '"$0" --at 23:30 --arm && "$0" --status' "$VESPERON" \
  2>"$WORK/readme.err") || STATUS=$?
exec 9>&-
took_ms=$((($(now_us) - started) / 1000))
[ "$STATUS" = 0 ] || fail "the example ended with status $STATUS: $(cat "$WORK/readme.err")"
for day in "$day_before" "$(day_of_2330)"; do  # the same, unless midnight passed
  [ "$printed" = "accepted, not armed $day 23:30:00
armed $day 23:30:00
armed $day 23:30:00" ] && break
done || true
[ "$printed" = "accepted, not armed $day 23:30:00
armed $day 23:30:00
armed $day 23:30:00" ] || fail "the example printed: $printed"
note "status 0 after ${took_ms} ms: ${printed##*$'\n'}"

CLOCK=$(clock_pid)
[ -n "$CLOCK" ] || fail "no clock runs after the example"
track "$CLOCK"
# The session is the sixth field of stat, after the name in parentheses.
[ "$(sed 's/.*) //' "/proc/$CLOCK/stat" | cut -d' ' -f4)" = "$CLOCK" ] ||
  fail "the clock is not in a session of its own"
for fd in 0 1 2; do
  [ "$(readlink "/proc/$CLOCK/fd/$fd")" = /dev/null ] ||
    fail "the clock's descriptor $fd is $(readlink "/proc/$CLOCK/fd/$fd"), not /dev/null"
done
! ls -l "/proc/$CLOCK/fd" | grep -qF "$WORK/descriptor-of-ours" ||
  fail "the clock holds a descriptor of the command's caller"
wait_tray_icon 10
[ -z "$(visible_window_of "$CLOCK")" ] || fail "the clock started for the example is on screen"
expect_ini Apagado Horas 23
expect_ini Apagado Minutos 30
expect_ini Apagado Segundos 0
note "clock $CLOCK: its own session, standard streams on /dev/null, in the tray only"

echo "a plain start shows it, armed"
start_vesperon
wait_exit "$VPID" 5 && [ "$EXIT_STATUS" = 0 ] || fail "the plain start did not end with status 0"
wait_window "$CLOCK" 5
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] || fail "the arm indicator shows ${FACE[tip_apagado]}"
note "on screen, the arm indicator on"

echo "--disarm, then --status"
run_vesperon_command --disarm
[ "$STATUS" = 0 ] && [ "$OUT" = "accepted, not armed $day 23:30:00" ] ||
  fail "--disarm: status $STATUS, '$OUT' $ERR"
poll 2 eval 'read_face "$WID"; [ "${FACE[tip_apagado]}" = tip-apagado-off ]' ||
  fail "after --disarm the arm indicator shows ${FACE[tip_apagado]}"
run_vesperon_command --status
[ "$STATUS" = 0 ] && [ "$OUT" = "accepted, not armed $day 23:30:00" ] ||
  fail "--status: status $STATUS, '$OUT' $ERR"
note "$OUT"

echo "--at 25:00 is refused and changes nothing"
ini_before=$(file_state "$INI")
sleep 0.05  # a write now would get a later time stamp
run_vesperon_command --at 25:00 --arm
[ "$STATUS" = 2 ] || fail "--at 25:00 ended with status $STATUS"
[ -z "$OUT" ] && grep -qF "25:00" <<<"$ERR" || fail "--at 25:00 printed '$OUT', '$ERR'"
refusal=$ERR
[ "$(file_state "$INI")" = "$ini_before" ] || fail "--at 25:00 changed the settings file"
run_vesperon_command --status
[ "$OUT" = "accepted, not armed $day 23:30:00" ] || fail "after --at 25:00 the status is '$OUT'"
note "status 2: $refusal"

echo "--quit ends the clock, its place stored"
xdotool windowmove "$WID" 100 150
poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "100 150" ]' ||
  fail "could not move the window"
sleep 0.3  # for the clock to see the move
run_vesperon_command --quit
[ "$STATUS" = 0 ] && [ -z "$OUT" ] || fail "--quit: status $STATUS, '$OUT' $ERR"
# Its lock went with its files; the process itself is gone a moment later.
poll 2 eval '! kill -0 "$CLOCK" 2>/dev/null' || fail "the clock still runs after --quit returned"
expect_ini Window xpos $((100 * TWIPS))
expect_ini Window ypos $((150 * TWIPS))
note "ended; stored $((100 * TWIPS)),$((150 * TWIPS))"
echo "measured: the example took ${took_ms} ms with the clock's start"
echo "PASS"
