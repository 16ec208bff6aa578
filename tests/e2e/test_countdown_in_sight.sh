#!/usr/bin/env bash
# A countdown is never invisible, and can always be stopped. Started with
# /autostart, armed, and hidden in trayer again, the clock must come back
# within a second of the countdown's start, and the desktop's notification
# server must get one critical notice with the count and a "Cancelar"
# action; choosing that action cancels (logind never hears PowerOff) and the
# notice is withdrawn. A second countdown starts while About covers the
# clock: a click on the blinking stop cancels it all the same, and About
# keeps the keyboard.
# logind is the checked mock on a private bus, the dry run off.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=6       # from arming to the shutdown time
COUNTDOWN_SECONDS=10

start_xvfb
start_openbox
start_trayer
use_mock_logind_bus
use_mock_notifications_bus
note "mock logind and mock notification server up"

shot() { [ -z "${E2E_SHOT_DIR:-}" ] || import -window root "$E2E_SHOT_DIR/$1.png"; }

# The countdown notices the mock got, one line each.
notices() { grep ' Notify "Vesperon" [0-9]* "vesperon" ' "$NOTIFY_LOG" || true; }

echo "start hidden in the tray, bring the clock out and arm"
shutdown_time_ahead $((LEAD_SECONDS + 4))
store_shutdown_time
start_vesperon /autostart
wait_tray_icon 10
[ -z "$(visible_window_of "$VPID")" ] || fail "the clock shows although started with /autostart"
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
wait_window "$VPID" 5
arm_stored_time
click 136 8  # ImgMinimizar: back into the tray
poll 3 eval '! is_mapped "$WID"' || fail "the clock did not go back into the tray"
note "armed for $hh:$mm:$ss and hidden in the tray"

echo "the countdown comes into sight"
poll $((LEAD_SECONDS + 6)) is_mapped "$WID" || fail "the clock stayed hidden through the countdown's start"
mapped_at=$EPOCHREALTIME
delay=$(awk -v m="$mapped_at" -v t="$target" 'BEGIN {printf "%.3f", m - t}')
awk -v d="$delay" 'BEGIN {exit !(d >= -0.05 && d <= 1.0)}' ||
  fail "the clock was mapped ${delay}s after the shutdown time, not within 1 s of the countdown's start"
poll 3 eval '[ -n "$(notices)" ]' || fail "no countdown notice reached the server: $(cat "$NOTIFY_LOG")"
shot countdown-from-tray
read_face "$WID"
[[ "${FACE[tip_apagado]}" == tip-stop-* ]] || fail "the revealed clock shows ${FACE[tip_apagado]}, not the blinking stop"
notice=$(notices)
[ "$(wc -l <<<"$notice")" = 1 ] || fail "more than one countdown notice: $notice"
for part in '"Vesperon" 0 "vesperon" "Vesperon" "Se apagará en: 10 secs"' '["cancel", "Cancelar"]' \
  '"urgency": 2' '"desktop-entry": "vesperon"'; do
  grep -qF "$part" <<<"$notice" || fail "the notice lacks $part: $notice"
done
note "mapped ${delay}s after the shutdown time; notice: ${notice#* Notify }"

echo "Cancelar on the notice"
id=1  # the mock numbers notices from 1, and this is the first
gdbus call --address "$DBUS_SESSION_BUS_ADDRESS" --dest org.freedesktop.Notifications \
  --object-path /org/freedesktop/Notifications --method org.freedesktop.DBus.Mock.EmitSignal \
  org.freedesktop.Notifications ActionInvoked us "[<uint32 $id>, <'cancel'>]" >/dev/null ||
  fail "could not invoke the action on the mock"
poll 3 grep -q ' CloseNotification ' "$NOTIFY_LOG" || fail "the notice was not withdrawn: $(cat "$NOTIFY_LOG")"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "after Cancelar the indicator shows ${FACE[tip_apagado]}"
note "cancelled from the notice, notice withdrawn"

echo "a second countdown while About covers the clock"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "the clock did not end on SIGTERM"
shutdown_time_ahead "$LEAD_SECONDS"
store_shutdown_time
start_vesperon
wait_window "$VPID"
arm_stored_time
click 148 116  # ImgAbout
poll 5 eval '[ -n "$(visible_window_named "$VPID" "Acerca de Vesperon")" ]' ||
  fail "About did not open"
poll $((LEAD_SECONDS + 4)) eval '[ "$(notices | wc -l)" = 2 ]' || fail "the second countdown did not start"
sleep 0.5
shot countdown-over-about
read -r cx cy _ < <(window_geometry "$WID")
xdotool mousemove $((cx + 128)) $((cy + 52)) click 1
poll 3 eval '[ "$(grep -c " CloseNotification " "$NOTIFY_LOG")" = 2 ]' ||
  fail "a click on the blinking stop did not cancel the countdown under About"
shot cancelled-over-about
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "after the stop the indicator shows ${FACE[tip_apagado]}"
[ -n "$(visible_window_named "$VPID" "Acerca de Vesperon")" ] || fail "About closed with the countdown"
note "the stop cancelled with About open"

sleep $((COUNTDOWN_SECONDS - 2))
grep -q ' PowerOff ' "$MOCK_LOG" && fail "logind was asked to power off: $(cat "$MOCK_LOG")"
kill -0 "$VPID" 2>/dev/null || fail "the clock ended"
# The keyboard stayed with About through the countdown, and is its own again.
xdotool key Escape
poll 3 eval '[ -z "$(visible_window_named "$VPID" "Acerca de Vesperon")" ]' ||
  fail "About took no Escape after the countdown"
note "About closed on Escape"
echo "measured: clock mapped ${delay} s after the shutdown time"
echo "PASS"
