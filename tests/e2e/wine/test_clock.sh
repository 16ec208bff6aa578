#!/usr/bin/env bash
# vesperon.exe under Wine, with a window manager (openbox) and an XEmbed
# tray (trayer): the clock maps centred and shows the time in the built-in
# digits; its icon docks, and after minimizing a left click on it brings the
# clock back, as a second start of the program does; a right click on the
# clock opens the menu; a sample skin chosen in the configuration dialog,
# worked with the keyboard, is drawn.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

SAMPLE_SKINS="$(dirname "$VESPERON")/Skins"

# The open dialog of the clock's process, by its size: its title is not
# ASCII, which the X tools print in their own ways. Wine draws the frame of
# a tool window itself, so the X window is its client area of 387 x 513 and
# the frame round it.
dialog_window() {
  local id w h
  for id in $(xdotool search --onlyvisible --pid "$VPID" 2>/dev/null); do
    read -r _ _ w h < <(window_geometry "$id")
    [ "$w" -ge 387 ] && [ "$w" -lt 420 ] && [ "$h" -ge 513 ] && [ "$h" -lt 540 ] && { echo "$id"; return; }
  done
}

start_xvfb
start_openbox
start_trayer
make_wine_prefix
reset_settings
started_at=$(now_us)
start_wine_vesperon
wait_window "$VPID" 30
mapped_ms=$((($(now_us) - started_at) / 1000))

echo "the window"
read -r left top width height < <(window_geometry "$WID")
[ "$width $height" = "171 128" ] || fail "window is ${width}x${height}, expected 171x128"
# Centred on 1024x768: left 426.5 rounds either way, top 320.
{ [ "$left" = 426 ] || [ "$left" = 427 ]; } && [ "$top" = 320 ] ||
  fail "the window is at $left,$top, expected the centre (426 or 427, 320)"
read_face "$WID"
[ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ] ||
  fail "the face shows ${FACE[digits]}, the time was $FACE_BEFORE..$FACE_AFTER"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "the arm indicator shows ${FACE[tip_apagado]}"
[ "${FACE[tip_ok]}" = tip-ok-off ] || fail "the accept indicator shows ${FACE[tip_ok]}"
shot "$WID" clock
expect_setting Apagado Remain 3
note "171x128 at $left,$top, showing ${FACE[digits]}; mapped ${mapped_ms} ms after the start"

echo "the tray icon"
wait_wine_tray_icon 10
click 136 8  # ImgMinimizar
poll 5 eval '! is_mapped "$WID"' || fail "minimized with a tray, the window is still on screen"
xdotool mousemove "$ICON_X" "$ICON_Y" click 1
poll 5 is_mapped "$WID" || fail "a left click on the icon did not bring the clock back"
note "docked at $ICON_X,$ICON_Y; hidden, then shown again by the icon"

echo "a second start brings the hidden clock back over the named pipe"
click 136 8  # ImgMinimizar
poll 5 eval '! is_mapped "$WID"' || fail "minimized with a tray, the window is still on screen"
clock=$VPID
start_wine_vesperon
wait_exit "$VPID" 15 || fail "the second start still runs after 15 s"
[ "$EXIT_STATUS" = 0 ] || fail "the second start ended with status $EXIT_STATUS"
VPID=$clock
poll 5 is_mapped "$WID" || fail "the second start did not bring the clock back"
note "the second start ended with status 0; the clock is mapped again"

echo "a right click on the clock opens the menu"
xdotool mousemove --window "$WID" 160 60 click 3
poll 5 eval 'MENU=$(menu_window_of "$VPID"); [ -n "$MENU" ]' || fail "a right click opened no menu"
sleep 0.3  # drawn, as a user would see it
shot root menu
xdotool key Escape
poll 5 eval '[ -z "$(menu_window_of "$VPID")" ]' || fail "Escape did not close the menu"
note "the menu opened and closed"

echo "a sample skin chosen in the configuration dialog"
open_dialog
# From the Windows type, past the countdown, the three boxes, the melody,
# Probar and the sound mode, to the skins: Nocturno.
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab N
sleep 0.5  # for the preview to be drawn
shot root config-dialog
xdotool key Return
poll 5 eval '! is_mapped "$DIALOG"' || fail "Enter did not close the dialog"
expect_setting Window Skin Nocturno
poll 2 eval 'RESOURCES="$SAMPLE_SKINS/Nocturno" read_face "$WID";
  [ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ]' ||
  fail "the clock does not show the time in Nocturno's digits: ${FACE[digits]}"
shot "$WID" clock-nocturno
note "Skin=Nocturno, and the face in its digits"

kill -0 "$VPID" 2>/dev/null || fail "the program ended by itself"
echo "measured: mapped ${mapped_ms} ms after the start"
echo "PASS"
