#!/usr/bin/env bash
# An XEmbed system tray (Debian's trayer) under a window manager (openbox):
# the icon docks; minimizing hides the clock and a left click on the icon
# brings it back; a right click on the icon opens the menu, from which
# "Siempre por Encima" puts the clock on top and "&Salir" ends it with its
# place stored; the "?" area opens the About dialog, and the icon's menu a
# second one, which takes the keyboard; started with
# /autostart the clock lives in the tray only.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_clock_in_tray
note "icon docked at $ICON_X,$ICON_Y"

echo "minimize to the tray, and back with a left click on the icon"
click 136 8  # ImgMinimizar
poll 5 eval '! is_mapped "$WID"' || fail "minimized with a tray, the window is still on screen"
[ "$(wm_state "$WID")" = Withdrawn ] || fail "hidden in the tray, the window's state is $(wm_state "$WID")"
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
poll 5 is_mapped "$WID" || fail "a left click on the icon did not bring the clock back"
note "hidden, then shown again by the icon"

echo "the icon's menu puts the clock on top"
xprop -id "$WID" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && fail "on top with OnTop=0"
xdotool mousemove "$ICON_X" "$ICON_Y" click 3
poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "a right click on the icon opened no menu"
# From the top, past the separators: Ajustar, Configuración, Siempre por Encima.
xdotool key Down Down Down Return
poll 5 eval 'xprop -id "$WID" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE' ||
  fail "\"Siempre por Encima\" did not put the window on top"
expect_ini Window OnTop 1
note "on top, OnTop=1"

echo "About from the ? area"
click 148 116  # ImgAbout
poll 5 eval 'ABOUT=$(visible_window_named "$VPID" "Acerca de Vesperon"); [ -n "$ABOUT" ]' ||
  fail "the ? area opened no About dialog"
read -r _ _ width height < <(window_geometry "$ABOUT")
[ "$width $height" = "353 345" ] || fail "the About dialog's client area is ${width}x$height"
xprop -id "$WID" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE &&
  fail "the clock stayed on top above its About dialog"
# A second one from the icon's menu, over the first: it has the keyboard.
abouts() { for id in $(xdotool search --onlyvisible --pid "$VPID" 2>/dev/null); do
  [ "$(xprop -id "$id" WM_NAME 2>/dev/null)" = 'WM_NAME(STRING) = "Acerca de Vesperon"' ] && echo "$id"; done; }
xdotool mousemove "$ICON_X" "$ICON_Y" click 3
poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "a right click on the icon opened no menu"
xdotool key Down Down Down Down Return  # past the separators: Acerca de Vesperon...
poll 5 eval '[ "$(abouts | wc -l)" = 2 ]' || fail "the icon's menu opened no second About dialog"
xdotool key Escape
poll 5 eval '[ "$(abouts | wc -l)" = 1 ]' || fail "the second About dialog took no Escape"
[ "$(abouts)" = "$ABOUT" ] || fail "Escape closed the first About dialog, not the second"
wmctrl -i -c "$ABOUT"  # its title bar's close button
poll 5 eval '! is_mapped "$ABOUT"' || fail "the About dialog did not close"
poll 5 eval 'xprop -id "$WID" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE' ||
  fail "closing the About dialog did not put the clock back on top"
note "353x345, the clock below it while open and on top again after"

echo "&Salir from the icon's menu"
xdotool windowmove "$WID" 300 200
poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "300 200" ]' || fail "could not move the clock"
sleep 0.3  # for the clock to see its new place
xdotool mousemove "$ICON_X" "$ICON_Y" click 3
poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "a right click on the icon opened no menu"
xdotool key s
wait_exit "$VPID" 5 || fail "still running after \"&Salir\""
[ "$EXIT_STATUS" = 0 ] || fail "ended with status $EXIT_STATUS"
expect_ini Window xpos 4500
expect_ini Window ypos 3000
note "ended, its place 300,200 stored"

echo "/autostart with a tray: the icon only"
start_vesperon /autostart
wait_tray_icon 10
sleep 1
[ -z "$(visible_window_of "$VPID")" ] || fail "started with /autostart, the window is on screen"
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
wait_window "$VPID" 5
note "hidden in the tray, and brought back by the icon"
echo "PASS"
