#!/usr/bin/env bash
# logind refuses the power-off (polkit said no). The clock must not stay on
# "Bye bye ;)": the message line says the power-off failed, standard error
# says why, the desktop's notification server gets one notice with the
# reason, and the clock is disarmed.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=5       # from now to the shutdown time
COUNTDOWN_SECONDS=5

start_xvfb
use_mock_logind_bus
refuse_power_off
use_mock_notifications_bus
note "mock logind refuses; mock notification server on $DBUS_SESSION_BUS_ADDRESS"

shutdown_time_ahead "$LEAD_SECONDS"
store_shutdown_time
start_vesperon
wait_window "$VPID"
arm_stored_time

poll $((LEAD_SECONDS + COUNTDOWN_SECONDS + 5)) grep -q ' PowerOff ' "$MOCK_LOG" ||
  fail "logind got no PowerOff call; its log: $(cat "$MOCK_LOG")"
# The countdown announced itself first; the failure has a notice of its own.
poll 5 grep -q ' Notify .*"system-shutdown"' "$NOTIFY_LOG" || fail "no notice reached the notification server"
read_face "$WID"
[ "${FACE[message]}" = other ] || fail "the message line is empty after the refusal"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "the indicator shows ${FACE[tip_apagado]} after the refusal"
sleep 2  # time for a stray second notice
notices=$(grep -c ' Notify .*"system-shutdown"' "$NOTIFY_LOG")
[ "$notices" = 1 ] || fail "$notices notices: $(cat "$NOTIFY_LOG")"
grep -q ' Notify "Vesperon" 0 "system-shutdown" "No se pudo apagar el equipo" "El sistema no apagó el equipo. Respuesta del sistema: Access denied" ' "$NOTIFY_LOG" ||
  fail "the notice does not say what happened: $(cat "$NOTIFY_LOG")"
grep -q 'power-off request failed: org.freedesktop.DBus.Error.AccessDenied: Access denied' "$VLOG.err" ||
  fail "standard error does not say why: $(cat "$VLOG.err")"
kill -0 "$VPID" 2>/dev/null || fail "the clock ended"
note "one notice, the failure on the message line and on standard error; disarmed"
echo "PASS"
