#!/usr/bin/env bash
# vesperon.exe under Wine ends whenever it is asked, whatever is open:
# taskkill, which asks every top-level window of the program with WM_CLOSE,
# over the box that a wrong-sized skin raises at start under /debugskin; and
# the end of the session (WM_ENDSESSION, from wineboot) over About, in the
# next start. Each ends the program within 2 s with status 0 and its place
# stored. As Windows does, wineboot ends a program that is still there once
# it has answered WM_ENDSESSION: the place must be stored before it answers.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

# No start entry: once the session has ended, Wine's next start of the
# session would start the clock from it, and the next start here would then
# find it running.
NO_AUTOSTART="[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Vesperon\\Vesperon]
\"AutoStart\"=\"0\""
USER_SKINS="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Vesperon/Skins"
trap 'rm -rf "$USER_SKINS/Fondo170"; "$WINESERVER" -k 2>/dev/null || true; cleanup' EXIT

# Runs the Windows command "$@" that asks the program to end, and checks
# that the program has ended within 2 s of the command's return, with
# status 0, storing the place $1,$2 (pixels) given before the command.
end_with() {
  local x=$1 y=$2
  shift 2
  local sent_at
  sent_at=$(now_us)
  "$WINE64" "$@" >"$WORK/end.log" 2>&1 || fail "$1 failed: $(cat "$WORK/end.log")"
  expect_ended 2 "$*"
  expect_setting Window xpos $((x * TWIPS))
  expect_setting Window ypos $((y * TWIPS))
  note "$1: ended with status 0 $((($(now_us) - sent_at) / 1000)) ms after it started, stored $x,$y px"
}

start_xvfb
start_openbox
make_wine_prefix
"$PYTHON" "$E2E_DIR/../fixtures/make_skins.py" "$RESOURCES" "$WORK/skins"
mkdir -p "$USER_SKINS"
cp -r "$WORK/skins/Fondo170" "$USER_SKINS/"

echo "a box at start, then taskkill"
reset_settings "$NO_AUTOSTART

[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Vesperon\\Window]
\"Skin\"=\"Fondo170\"
\"xpos\"=\"$((40 * TWIPS))\"
\"ypos\"=\"$((50 * TWIPS))\""
start_wine_vesperon /debugskin
poll 30 eval '[ -n "$(visible_window_named "$VPID" Fondo170)" ]' || fail "no box titled Fondo170 at start"
shot root box-at-start
# Never shown: the stored place is kept.
end_with 40 50 taskkill /IM vesperon.exe

echo "About, then the end of the session"
reset_settings "$NO_AUTOSTART"
start_wine_vesperon
wait_window "$VPID" 30
xdotool windowmove "$WID" 300 200
poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "300 200" ]' || fail "could not move the clock"
sleep 0.3  # the clock sees the move before anything else happens to it
click 148 116  # ImgAbout
poll 5 eval '[ -n "$(visible_window_named "$VPID" "Acerca de Vesperon")" ]' || fail "About did not open"
shot root about
end_with 300 200 wineboot --end-session
echo "PASS"
