#!/usr/bin/env bash
# The whole road of one shutdown, driven with the mouse: open the editor on
# a digit, accept, arm, wait; the countdown runs and logind is asked to power
# off once. logind is a mock on a private bus, checked before the clock
# starts; the machine's own logind is never reachable from here.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=8       # from now to the shutdown time
COUNTDOWN_SECONDS=5

start_xvfb
use_mock_logind_bus
note "mock logind up on $MOCK_BUS_ADDRESS"

shutdown_time_ahead "$LEAD_SECONDS"
# Qt's short date of the C locale, with the year in full.
today=$(printf '%(%-d %b %Y)T' "$target")
store_shutdown_time
start_vesperon
wait_window "$VPID"

echo "open the editor with a double click on the first digit"
open_editor
[ "${FACE[message]}" = other ] || fail "no message when the editor opened"
editor_message=${FACE[message_pixels]}
note "editor shows ${FACE[digits]}"

echo "accept"
accept_time
[ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ] ||
  fail "after accepting the face shows ${FACE[digits]}, not the time ($FACE_BEFORE)"
[ "${FACE[message]}" = other ] && [ "${FACE[message_pixels]}" != "$editor_message" ] ||
  fail "the message line did not change on accepting"
accepted_message=${FACE[message_pixels]}
expect_ini Apagado Horas $((10#$hh))
expect_ini Apagado Minutos $((10#$mm))
expect_ini Apagado Segundos $((10#$ss))
expect_ini Apagado FechaApagado "$today"
note "stored $hh:$mm:$ss for $today"

echo "arm"
arm_accepted_time
[ "${FACE[message]}" = other ] && [ "${FACE[message_pixels]}" != "$accepted_message" ] ||
  fail "the message line did not change on arming"
note "armed"

echo "countdown"
expect_countdown_running
grep -q PowerOff "$MOCK_LOG" && fail "power-off requested at once, without the countdown"
note "stop indicator blinking"

poll $((LEAD_SECONDS + COUNTDOWN_SECONDS + 5)) grep -q ' PowerOff ' "$MOCK_LOG" ||
  fail "logind got no PowerOff call; its log: $(cat "$MOCK_LOG")"
# Time for a stray second request to arrive.
sleep 3
calls=$(grep -c ' PowerOff ' "$MOCK_LOG")
[ "$calls" = 1 ] || fail "logind got $calls PowerOff calls: $(cat "$MOCK_LOG")"
grep -q ' PowerOff True$' "$MOCK_LOG" || fail "PowerOff was not interactive: $(cat "$MOCK_LOG")"
others=$(grep -v -e ' PowerOff ' -e '^$' "$MOCK_LOG" || true)
[ -z "$others" ] || fail "logind was asked for more than the power-off: $others"

called_at=$(awk '/ PowerOff / {print $1}' "$MOCK_LOG")
delay=$(awk -v c="$called_at" -v t="$target" 'BEGIN {printf "%.3f", c - t}')
expect_after_countdown "$delay" PowerOff
note "one PowerOff(true), ${delay}s after the shutdown time ($COUNTDOWN_SECONDS s countdown)"

read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "after the power-off request the arm indicator shows ${FACE[tip_apagado]}"
kill -0 "$VPID" 2>/dev/null || fail "the clock ended after the power-off request"
grep -q 'power-off request failed' "$VLOG.err" && fail "the clock reported a failure: $(cat "$VLOG.err")"
echo "measured: PowerOff at target + ${delay} s"
echo "PASS"
