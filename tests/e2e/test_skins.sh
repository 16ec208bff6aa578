#!/usr/bin/env bash
# Skins in the real program: each sample skin looks exactly as vesperon-skin
# renders it; a skin of broken pictures leaves the built-in look and a
# working clock; "/debugskin" names a wrong-sized background in a box titled
# with the skin's name.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

TOOL=${VESPERON_SKIN_TOOL:?the path to vesperon-skin}
SAMPLE_SKINS="$(dirname "$VESPERON")/Skins"
export XDG_DATA_HOME="$WORK/data"
USER_SKINS="$XDG_DATA_HOME/vesperon/Skins"
mkdir -p "$USER_SKINS"
"$PYTHON" "$E2E_DIR/../fixtures/make_skins.py" "$RESOURCES" "$USER_SKINS"

set_skin() {
  mkdir -p "$(dirname "$INI")"
  printf '[Window]\nSkin=%s\n' "$1" >"$INI"
}

# Renders skin folder $1 at the time $2 (HHMMSS) into $3 (.ppm).
render() {
  local t=$2
  "$TOOL" render "$1" --time "${t:0:2}:${t:2:2}:${t:4:2}" "$WORK/render.png" || fail "vesperon-skin render failed"
  "$CONVERT" "$WORK/render.png" "$3"
}

start_xvfb

echo "sample skins look as vesperon-skin renders them"
for folder in "$SAMPLE_SKINS"/*/; do
  skin=$(basename "$folder")
  set_skin "$skin"
  start_vesperon
  wait_window "$VPID"
  # The welcome message stays 1.5 s; the render has no message.
  poll 10 eval 'RESOURCES=$folder read_face "$WID"; [ "${FACE[message]}" = background ]' ||
    fail "$skin: the welcome message did not clear"
  [ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ] ||
    fail "$skin: the face shows ${FACE[digits]} in the skin's digits, the time was $FACE_BEFORE..$FACE_AFTER"
  cp "$WORK/face.ppm" "$WORK/shot.ppm"
  render "$folder" "$FACE_BEFORE" "$WORK/before.ppm"
  render "$folder" "$FACE_AFTER" "$WORK/after.ppm"
  "$PYTHON" "$E2E_DIR/compare_render.py" "$WORK/shot.ppm" "$WORK/before.ppm" "$WORK/after.ppm" "$folder" ||
    fail "$skin: the window differs from vesperon-skin render"
  if [ -n "${VESPERON_SHOTS_DIR:-}" ]; then
    "$CONVERT" "$WORK/shot.ppm" "$VESPERON_SHOTS_DIR/$skin.png"
  fi
  note "$skin: the window is the render, at ${FACE[digits]}"
  kill -TERM "$VPID"
  wait_exit "$VPID" 5 || fail "still running 5 s after SIGTERM"
  expect_ini Window Skin "$skin"
done

echo "a skin of broken pictures leaves the built-in look"
set_skin CabeceraFalsa
start_vesperon
wait_window "$VPID"
read_face "$WID"
[ "${FACE[digits]}" = "$FACE_BEFORE" ] || [ "${FACE[digits]}" = "$FACE_AFTER" ] ||
  fail "the built-in digits do not show the time: ${FACE[digits]}, the time was $FACE_BEFORE..$FACE_AFTER"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "arm indicator shows ${FACE[tip_apagado]}"
poll 10 eval 'read_face "$WID"; [ "${FACE[message]}" = background ]' || fail "the message line did not clear"
# Arming without an accepted time answers on the message line.
click 110 52
poll 3 eval 'read_face "$WID"; [ "${FACE[message]}" = other ]' || fail "no answer to a click on the arm indicator"
xdotool search --name 'Carga de Skin' >/dev/null 2>&1 && fail "a loader message appeared for a skin the check refuses"
expect_ini Window Skin CabeceraFalsa
note "built-in look, clock running, the click answered, the setting kept"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "still running 5 s after SIGTERM"

echo "/debugskin names a wrong-sized background"
set_skin Fondo170
start_vesperon /debugskin
# Only a mapped window: Qt may make and drop a native window on the way.
poll 10 eval 'BOX=$(xdotool search --onlyvisible --name "^Fondo170$" 2>/dev/null | head -n1); [ -n "$BOX" ]' ||
  fail "no message box titled Fondo170"
# Modal: the clock waits behind it, and goes on once it is closed. The box
# closes on the key press, so no release is sent to a window that is gone.
xdotool keydown --window "$BOX" Return
poll 5 eval '[ -z "$(xdotool search --onlyvisible --name "^Fondo170$" 2>/dev/null)" ]' ||
  fail "the message box did not close on Return"
wait_window "$VPID"
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-off ] || fail "after the box the built-in look is not there"
note "a box titled Fondo170, then the built-in look"
echo "PASS"
