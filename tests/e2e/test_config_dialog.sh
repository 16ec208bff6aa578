#!/usr/bin/env bash
# The configuration dialog, opened from the clock's menu and worked with the
# keyboard alone: Enter saves the countdown, the melody and the autostart
# choice, and the session entry goes with it; Escape after changing
# everything leaves the settings file byte for byte as it was; a sample skin
# chosen in the list is on the clock as soon as the dialog closes.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

SAMPLE_SKINS="$(dirname "$VESPERON")/Skins"

start_xvfb
start_openbox
start_vesperon
wait_window "$VPID"
poll 5 test -f "$AUTOSTART_ENTRY" || fail "the first start registered no autostart entry"

echo "Enter saves what was changed"
open_dialog
# Focus starts on the Windows type; from there: countdown 20 -> 30 s,
# autostart off, past the daily and speaker boxes to the melody, Beep ->
# Pajaraco.
xdotool key Tab Down Down Tab space Tab Tab Tab Down Return
poll 5 dialog_closed || fail "Enter did not close the dialog"
expect_ini Apagado Remain 5
expect_ini Apagado SpeakerMelody 1
expect_ini Vesperon AutoStart 0
expect_ini Apagado WindowsVersion 2
[ ! -e "$AUTOSTART_ENTRY" ] || fail "the autostart entry is still there"
note "Remain=5, SpeakerMelody=1, AutoStart=0, the entry gone"

echo "Escape after changing everything writes nothing"
cp "$INI" "$WORK/before.ini"
open_dialog
# Windows 95/98, countdown 25 s, autostart on, daily on, speaker off (the
# melody and Probar are then skipped), a sound mode, then the list: Nocturno.
xdotool key Up Tab Up Tab space Tab space Tab space Tab Down Tab N
sleep 0.5  # for the preview to be drawn, as a user would look at it
xdotool key Escape
poll 5 dialog_closed || fail "Escape did not close the dialog"
cmp -s "$INI" "$WORK/before.ini" || fail "the settings file changed: $(diff "$WORK/before.ini" "$INI")"
[ ! -e "$AUTOSTART_ENTRY" ] || fail "Escape registered the autostart entry"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "the clock left its built-in look"
note "the settings file unchanged, no entry, the built-in look"

echo "a sample skin chosen in the list is on the clock at once"
open_dialog
# Past the countdown, the three boxes, the melody, Probar and the sound mode.
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab N
sleep 0.5
if [ -n "${VESPERON_SHOTS_DIR:-}" ]; then
  xwd -silent -frame -id "$DIALOG" | "$CONVERT" xwd:- "$VESPERON_SHOTS_DIR/config-dialog.png"
fi
xdotool key Return
poll 5 dialog_closed || fail "Enter did not close the dialog"
expect_ini Window Skin Nocturno
poll 2 eval 'RESOURCES="$SAMPLE_SKINS/Nocturno" read_face "$WID";
  [ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ]' ||
  fail "the clock does not show the time in Nocturno's digits: ${FACE[digits]}"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "the arm indicator is not Nocturno's"
note "Skin=Nocturno, the time in its digits"
echo "PASS"
