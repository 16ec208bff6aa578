#!/usr/bin/env bash
# The face with the keyboard alone, once clicked: Enter opens the editor, Up
# steps, Tab moves on, Enter accepts and the time is stored, Space arms;
# Shift+F10 opens the menu at the clock (not at the pointer), Escape closes
# it; F1 opens About. Along the way the clock is read over AT-SPI, as a
# screen reader reads it: its description, its controls, the message line,
# and the new description it announces when armed.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_openbox
start_session_bus
# The accessibility bus beside it, and the clock's bridge on without a
# desktop that asks for it.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/at-spi.log" 2>&1 &
track $!
poll 10 eval 'dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null 2>&1' || fail "no accessibility bus: $(cat "$WORK/at-spi.log")"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
atspi() { "$PYTHON" "$E2E_DIR/atspi_clock.py" "$@"; }

# Twelve hours from now: nothing fires while the test runs.
hours=$(((10#$(printf '%(%H)T' -1) + 12) % 24))
mkdir -p "$(dirname "$INI")"
printf '[Apagado]\nHoras=%s\nMinutos=30\nSegundos=0\nRemain=0\nUsaSpeaker=0\n' "$hours" >"$INI"
stepped=$(printf '%02d' $(((hours + 1) % 24)))

start_vesperon
wait_window "$VPID"

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Polls the face until its digits read $1 (a blinking field may be out).
face_reads() {
  # shellcheck disable=SC2034  # read by the polled command
  local expected=$1
  poll 3 eval 'read_face "$WID"; [ "${FACE[digits]}" = "$expected" ]'
}

echo "a click gives the clock the keyboard"
xdotool mousemove 900 600 click 1
poll 3 eval '! focused "$WID"' || fail "a click on the desktop left the keyboard with the clock"
click 6 60  # the background
poll 3 focused "$WID" || fail "the clock did not take the keyboard when clicked"

echo "Enter opens the editor, Up steps, Tab moves on"
xdotool key Return
face_reads "$(printf '%02d' "$hours")3000" || fail "Enter: the editor shows ${FACE[digits]}"
[ "${FACE[tip_ok]}" = tip-ok-on ] || fail "Enter: the accept indicator shows ${FACE[tip_ok]}"
xdotool key Up
face_reads "${stepped}3000" || fail "Up: the editor shows ${FACE[digits]}, expected ${stepped}3000"
xdotool key Tab Up
face_reads "${stepped}3100" || fail "Tab, Up: the editor shows ${FACE[digits]}, expected ${stepped}3100"
atspi tree >"$WORK/tree"
grep -qx "description Hora de apagado ${stepped}:31:00, ajustando los minutos" "$WORK/tree" ||
  fail "the description in the editor: $(head -n1 "$WORK/tree")"

echo "Enter accepts"
xdotool key Return
poll 3 eval 'ini_get Apagado Minutos | grep -qx 31' || fail "Enter did not store the time: $(cat "$INI")"
expect_ini Apagado Horas $((10#$stepped))
atspi tree >"$WORK/tree"
grep -qx -e $'label\tCambios guardados' -e $'label\tApagamos mañana... ;)' "$WORK/tree" ||
  fail "no acceptance on the message line: $(cat "$WORK/tree")"
grep -qx $'push button\tIndica si el apagado automático está activado' "$WORK/tree" ||
  fail "the arm indicator has no accessible name: $(cat "$WORK/tree")"
note "stored ${stepped}:31:00; $(grep -c . "$WORK/tree") lines read over AT-SPI"

echo "Space arms, and the clock says so"
described=$(atspi watch xdotool key space) || fail "arming announced no new description"
[ "$described" = "Hora de apagado ${stepped}:31:00, activado" ] || fail "armed, the description is '$described'"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] || fail "Space: the arm indicator shows ${FACE[tip_apagado]}"

echo "Shift+F10 opens the menu at the clock, Escape closes it"
xdotool mousemove 1000 740
xdotool key shift+F10
poll 3 eval 'MENU=$(menu_window_of "$VPID"); [ -n "$MENU" ]' || fail "Shift+F10 opened no menu"
read -r clock_x clock_y _ < <(window_geometry "$WID")
read -r menu_x menu_y _ < <(window_geometry "$MENU")
[ "$menu_x,$menu_y" = "$((clock_x + 144)),$((clock_y + 13))" ] ||
  fail "the menu opened at $menu_x,$menu_y, not below the menu button at $((clock_x + 144)),$((clock_y + 13))"
xdotool key Escape
poll 3 eval '[ -z "$(menu_window_of "$VPID")" ]' || fail "Escape left the menu open"

echo "F1 opens About"
poll 3 focused "$WID" || fail "the keyboard did not come back to the clock after the menu"
xdotool key F1
poll 5 eval '[ -n "$(visible_window_named "$VPID" "Acerca de Vesperon")" ]' || fail "F1 opened no About dialog"
xdotool key Escape
poll 5 eval '[ -z "$(visible_window_named "$VPID" "Acerca de Vesperon")" ]' || fail "Escape left About open"
poll 3 focused "$WID" || fail "the keyboard did not come back to the clock after About"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] || fail "after the menu and About the clock is no longer armed"
echo "PASS"
