#!/usr/bin/env bash
# One X window from start to exit, under a window manager (openbox) with a
# tray (trayer): "Siempre por Encima" turned on and off from the icon's menu,
# shown and hidden, minimizing to the tray and back, About opened and closed.
# The clock keeps the X window it started with, which the window manager
# holds in the above band exactly while it is on top.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_clock_in_tray
CLOCK=$WID
note "the clock is X window $CLOCK"

above() { xprop -id "$CLOCK" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_ABOVE && echo yes || echo no; }

# Checks, after step $1, that the mapped clock is still window $CLOCK and
# that it is in the above band exactly when $2 is yes.
expect_clock() {
  local step=$1 wanted=$2 shown
  poll 5 eval 'shown=$(visible_window_of "$VPID"); [ -n "$shown" ]' || fail "after $step the clock is not on screen"
  [ "$shown" = "$CLOCK" ] || fail "after $step the clock is X window $shown, no longer $CLOCK"
  poll 5 eval '[ "$(above)" = "$wanted" ]' || fail "after $step the clock is above: $(above), expected $wanted"
  note "$step: window $CLOCK, above: $wanted"
}

# "Siempre por Encima" from the icon's menu: from the top, past the
# separators, Ajustar, Configuración, Siempre por Encima.
toggle_on_top() {
  xdotool mousemove "$ICON_X" "$ICON_Y" click 3
  poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "a right click on the icon opened no menu"
  xdotool key Down Down Down Return
  poll 5 eval '[ -z "$(menu_window_of "$VPID")" ]' || fail "the menu stayed open"
}

minimize() {
  click 136 8  # ImgMinimizar
  poll 5 eval '! is_mapped "$CLOCK"' || fail "minimized with a tray, the window is still on screen"
}
restore() { xdotool mousemove "$ICON_X" "$ICON_Y" click 1; }

toggle_on_top
expect_clock "Siempre por Encima on" yes
expect_ini Window OnTop 1

minimize
restore
expect_clock "minimize to the tray and back" yes

click 148 116  # ImgAbout
poll 5 eval 'ABOUT=$(visible_window_named "$VPID" "Acerca de Vesperon"); [ -n "$ABOUT" ]' ||
  fail "the ? area opened no About dialog"
expect_clock "About opened" no
wmctrl -i -c "$ABOUT"
poll 5 eval '! is_mapped "$ABOUT"' || fail "the About dialog did not close"
expect_clock "About closed" yes

minimize
restore
expect_clock "About, then minimize to the tray and back" yes

minimize
toggle_on_top  # while hidden in the tray
expect_ini Window OnTop 0
restore
expect_clock "Siempre por Encima off while hidden, and back" no

toggle_on_top
minimize
restore
expect_clock "Siempre por Encima on, minimize and back" yes
echo "PASS"
