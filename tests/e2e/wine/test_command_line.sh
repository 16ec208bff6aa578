#!/usr/bin/env bash
# vesperon.exe under Wine takes the command line to the clock that runs:
# with none running, --at and --arm start one detached and hidden, over the
# named pipe, and return with their answers; --status says so; a wrong
# option is refused with status 2; --quit ends the clock.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

# Runs vesperon.exe with a command line, to its end, reading its output
# through a pipe as a script would; sets OUT, ERR and STATUS.
run_wine_command() {
  [ "${VESPERON_DRY_RUN:-}" = 1 ] || fail "refusing to start: no dry run"
  STATUS=0
  OUT=$(timeout 60 "$WINE64" "$VESPERON" "$@" 2>"$WORK/command.err" | tr -d '\r') || STATUS=$?
  ERR=$(tr -d '\r' <"$WORK/command.err")
}

clock_windows() { xdotool search --onlyvisible --name '^Vesperon$' 2>/dev/null | wc -l; }
# Clocks of this program file started as the session starts them.
clock_processes() {
  local p count=0
  for p in /proc/[0-9]*; do
    # Wine pads the command line with NULs.
    [ "$(tr '\0' ' ' <"$p/cmdline" 2>/dev/null | sed 's/ *$//')" = "$(winepath_of "$VESPERON") /autostart" ] &&
      count=$((count + 1))
  done
  echo "$count"
}

start_xvfb
start_trayer
make_wine_prefix
reset_settings

echo "--at 23:30 --arm with no clock running"
if [[ "$(date +%H:%M:%S)" > "23:30:00" ]]; then day=$(date -d tomorrow +%F); else day=$(date +%F); fi
started=$(now_us)
run_wine_command --at 23:30 --arm
took_ms=$((($(now_us) - started) / 1000))
[ "$STATUS" = 0 ] || fail "--at 23:30 --arm ended with status $STATUS: $ERR"
[ "$OUT" = "accepted, not armed $day 23:30:00
armed $day 23:30:00" ] || fail "--at 23:30 --arm printed: $OUT"
[ "$(clock_processes)" = 1 ] || fail "$(clock_processes) clocks started with /autostart run"
wait_wine_tray_icon 20
[ "$(clock_windows)" = 0 ] || fail "the clock started for the command line is on screen"
expect_setting Apagado Horas 23
note "status 0 after ${took_ms} ms; one clock, hidden in the tray"

echo "--status, a wrong option, --quit"
run_wine_command --status
[ "$STATUS" = 0 ] && [ "$OUT" = "armed $day 23:30:00" ] || fail "--status: $STATUS '$OUT' $ERR"
run_wine_command --at 23:30:60
[ "$STATUS" = 2 ] && grep -qF "23:30:60" <<<"$ERR" || fail "--at 23:30:60: $STATUS '$ERR'"
run_wine_command --quit
[ "$STATUS" = 0 ] && [ -z "$OUT" ] || fail "--quit: $STATUS '$OUT' $ERR"
poll 5 eval '[ "$(clock_processes)" = 0 ]' || fail "the clock still runs after --quit"
note "armed, refused with status 2, ended"
echo "PASS"
