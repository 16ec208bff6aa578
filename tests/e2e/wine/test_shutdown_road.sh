#!/usr/bin/env bash
# The whole road of one shutdown in vesperon.exe under Wine, in the dry run:
# open the editor on a digit, accept, arm, wait; the countdown runs and the
# dry run's line stands in for ExitWindowsEx about the countdown's length
# after the shutdown time, once.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=8       # from now to the shutdown time
COUNTDOWN_SECONDS=5  # Remain=0

start_xvfb
make_wine_prefix

shutdown_time_ahead "$LEAD_SECONDS"
# The short date of the regional settings lib.sh gives.
today=$(printf '%(%d/%m/%Y)T' "$target")

reset_settings '[HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Vesperon\Apagado]
"Horas"="'$((10#$hh))'"
"Minutos"="'$((10#$mm))'"
"Segundos"="'$((10#$ss))'"
"Remain"="0"
"UsaSpeaker"="0"
"WindowsVersion"="2"'

start_wine_vesperon
wait_window "$VPID" 30

# The dry run's line: on the program's standard error, or in its log when
# Wine gives it none.
power_off_lines() { cat "$VLOG.err" "$WINE_LOG" 2>/dev/null | grep -c 'dry run: power-off requested' || true; }

echo "open the editor with a double click on the first digit"
open_editor
note "editor shows ${FACE[digits]}"

echo "accept"
accept_time
expect_setting Apagado FechaApagado "$today"
note "stored $hh:$mm:$ss for $today"

echo "arm"
arm_accepted_time
note "armed"

echo "countdown"
expect_countdown_running
[ "$(power_off_lines)" = 0 ] || fail "power-off requested at once, without the countdown"
note "stop indicator blinking"

poll $((COUNTDOWN_SECONDS + 5)) eval '[ "$(power_off_lines)" != 0 ]' ||
  fail "no dry-run power-off line; standard error: $(cat "$VLOG.err")"
seen_us=$(now_us)
delay=$(awk -v s="$seen_us" -v t="$target" 'BEGIN {printf "%.3f", s / 1e6 - t}')
expect_after_countdown "$delay" "the power-off"
# Time for a stray second request to arrive.
sleep 3
[ "$(power_off_lines)" = 1 ] || fail "$(power_off_lines) power-off requests"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "after the power-off request the arm indicator shows ${FACE[tip_apagado]}"
kill -0 "$VPID" 2>/dev/null || fail "the clock ended after the power-off request"
where="standard error"
grep -q 'dry run: power-off requested' "$VLOG.err" || where="the log"
note "one request, on $where, ${delay}s after the shutdown time ($COUNTDOWN_SECONDS s countdown)"
echo "measured: power-off requested at target + ${delay} s"
echo "PASS"
