#!/usr/bin/env bash
# The shutdown every day. With Diario=1 and a stored time a few seconds
# ahead, the clock started with /autostart arms itself with no click, counts
# down in sight, and logind is asked to power off exactly once; afterwards
# the clock is armed again, for the same time tomorrow. logind is the
# checked mock on a private bus, the dry run off.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=6       # from now to the shutdown time
COUNTDOWN_SECONDS=5  # Remain=0

start_xvfb
start_openbox
start_trayer
use_mock_logind_bus
note "mock logind up on $MOCK_BUS_ADDRESS"

shutdown_time_ahead "$LEAD_SECONDS"
# Qt's short date of the C locale, with the year in full.
today=$(printf '%(%-d %b %Y)T' "$target")
tomorrow=$(date -d "$(printf '%(%F)T' "$target") + 1 day" '+%-d %b %Y')

mkdir -p "$(dirname "$INI")"
cat >"$INI" <<EOF
[Apagado]
Horas=$((10#$hh))
Minutos=$((10#$mm))
Segundos=$((10#$ss))
Remain=0
UsaSpeaker=0
WindowsVersion=2
Diario=1
EOF

echo "started in the tray, the clock arms itself"
start_vesperon /autostart
wait_tray_icon 10
[ "${EPOCHREALTIME%.*}" -lt "$target" ] || fail "too slow: the shutdown time passed before the start"
poll 3 eval '[ "$(ini_get Apagado FechaApagado 2>/dev/null)" = "$today" ]' ||
  fail "not armed for today ($today): FechaApagado is '$(ini_get Apagado FechaApagado || true)'"
[ -z "$(visible_window_of "$VPID")" ] || fail "the clock shows although started with /autostart"
note "armed for $hh:$mm:$ss on $today, hidden in the tray"

echo "the countdown comes into sight and ends in one PowerOff"
wait_window "$VPID" $((LEAD_SECONDS + 3))
poll $((LEAD_SECONDS + COUNTDOWN_SECONDS + 5)) grep -q ' PowerOff ' "$MOCK_LOG" ||
  fail "logind got no PowerOff call; its log: $(cat "$MOCK_LOG")"
called_at=$(awk '/ PowerOff / {print $1}' "$MOCK_LOG")
delay=$(awk -v c="$called_at" -v t="$target" 'BEGIN {printf "%.3f", c - t}')
awk -v d="$delay" -v n=$COUNTDOWN_SECONDS 'BEGIN {exit !(d >= n - 0.5 && d <= n + 2)}' ||
  fail "PowerOff came ${delay}s after the shutdown time, expected about ${COUNTDOWN_SECONDS}s"
note "PowerOff ${delay}s after the shutdown time"

echo "armed again for tomorrow"
# Time for a stray second request, or a second countdown, to show.
sleep 3
calls=$(grep -c ' PowerOff ' "$MOCK_LOG")
[ "$calls" = 1 ] || fail "logind got $calls PowerOff calls: $(cat "$MOCK_LOG")"
expect_ini Apagado FechaApagado "$tomorrow"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] ||
  fail "after the power-off request the arm indicator shows ${FACE[tip_apagado]}, not armed"
kill -0 "$VPID" 2>/dev/null || fail "the clock ended after the power-off request"
note "one PowerOff; FechaApagado=$tomorrow, the indicator armed"
echo "measured: PowerOff at target + ${delay} s"
echo "PASS"
