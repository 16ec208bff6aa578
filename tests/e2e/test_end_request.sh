#!/usr/bin/env bash
# Whatever is open, the clock ends when the system asks. Over a box at
# start, a box later, About, the configuration dialog, the note window, the
# menu, the time editor and a running countdown, the session manager's end
# of the session (XSMP), SIGTERM, SIGINT and SIGHUP in turn must each end
# the program within 2 s with status 0, its place stored, and the
# single-instance lock free for the next start. No power-off on the way
# out: logind is a mock on a private bus, checked before the clock starts,
# and must never be asked.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

SESSION_MANAGER_PROGRAM=${VESPERON_SESSION_MANAGER:?the path to the test session manager}
export XDG_DATA_HOME="$WORK/data"
"$PYTHON" "$E2E_DIR/../fixtures/make_skins.py" "$RESOURCES" "$XDG_DATA_HOME/vesperon/Skins"

# Sets key $2 of section $1 to $3 in the settings file, which must exist.
ini_set() {
  "$PYTHON" - "$INI" "$1" "$2" "$3" <<'EOF'
import configparser, sys
path, section, key, value = sys.argv[1:]
ini = configparser.RawConfigParser()
ini.optionxform = str
ini.read(path)
if not ini.has_section(section):
    ini.add_section(section)
ini.set(section, key, value)
with open(path, "w") as f:
    ini.write(f, space_around_delimiters=False)
EOF
}

visible_named() { [ -n "$(visible_window_named "$VPID" "$1")" ]; }
# The configuration dialog, by its size: its title is not ASCII.
config_dialog_open() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$VPID" 2>/dev/null); do
    [ "$(window_geometry "$id" | cut -d' ' -f3,4)" = "387 513" ] && return 0
  done
  return 1
}
menu_open() { [ -n "$(menu_window_of "$VPID")" ]; }

# Starts the clock and moves it to $1,$2, where it must be stored at the end.
start_at() {
  start_vesperon
  wait_window "$VPID"
  xdotool windowmove "$WID" "$1" "$2"
  # shellcheck disable=SC2034  # read by the polled command
  local target="$1 $2"
  poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "$target" ]' ||
    fail "could not move the window to $1,$2"
  sleep 0.3  # the clock sees the move before anything else happens to it
  EXPECT_X=$1 EXPECT_Y=$2
}

# Each opens one state over a running clock and waits until it is on screen.
open_box_at_start() {
  ini_set Window Skin Fondo170
  ini_set Window xpos $((40 * TWIPS))
  ini_set Window ypos $((50 * TWIPS))
  EXPECT_X=40 EXPECT_Y=50  # never shown: the stored place is kept
  start_vesperon /debugskin
  poll 10 visible_named Fondo170 || fail "no box titled Fondo170 at start"
  ini_set Window Skin ""
}
open_box_later() {
  start_at 100 60
  click 148 8  # ImgConfig
  poll 5 menu_open || fail "the menu button opened no menu"
  # Up from the top wraps to the last entry, "Notas de Aviso"; its one entry
  # says notes are not in this edition.
  xdotool key Up Right Return
  poll 5 visible_named Notas || fail "no box titled Notas"
}
open_about() {
  start_at 160 70
  click 148 116  # ImgAbout
  poll 5 visible_named "Acerca de Vesperon" || fail "About did not open"
}
open_config_dialog() {
  start_at 220 80
  click 148 8
  poll 5 menu_open || fail "the menu button opened no menu"
  xdotool key c  # "&Configuración"
  poll 5 config_dialog_open || fail "the configuration dialog did not open"
}
open_note_window() {
  start_at 280 90
  click 112 97  # Command1
  poll 5 visible_named "Vesperon - Nota de Aviso" || fail "the note window did not open"
}
open_menu() {
  start_at 340 100
  xdotool mousemove --window "$WID" 160 60 click 3
  poll 5 menu_open || fail "a right click opened no menu"
}
open_editor() {
  start_at 400 110
  double_click 26 47  # the first digit
  poll 5 eval 'read_face "$WID"; [ "${FACE[tip_ok]}" = tip-ok-on ]' || fail "the editor did not open"
}
open_countdown() {
  shutdown_time_ahead 3
  ini_set Apagado Horas $((10#$hh))
  ini_set Apagado Minutos $((10#$mm))
  ini_set Apagado Segundos $((10#$ss))
  start_at 460 120
  double_click 26 47
  sleep 0.3
  click 145 42  # ImgTipOk: accept
  click 128 52  # TipApagado: arm
  poll $((target + 5 - ${EPOCHREALTIME%.*})) eval 'read_face "$WID"; [[ "${FACE[tip_apagado]}" == tip-stop-* ]]' ||
    fail "no countdown after the shutdown time (the arm indicator shows ${FACE[tip_apagado]})"
}

# A session manager for every clock of this script; sets SESSION_MANAGER.
start_session_manager() {
  SM_LOG="$WORK/session-manager.log"
  "$SESSION_MANAGER_PROGRAM" >"$SM_LOG" 2>"$WORK/session-manager.err" &
  SM_PID=$!
  track "$SM_PID"
  poll 5 test -s "$SM_LOG" || fail "the session manager did not start: $(cat "$WORK/session-manager.err")"
  SESSION_MANAGER=$(head -n1 "$SM_LOG")
  export SESSION_MANAGER
}

# Ends the clock in way $1: a signal's name, or "session" for the session
# manager's end of the session.
end_clock() {
  if [ "$1" = session ]; then
    # The clock registers as it starts; the end goes to the clients it has.
    poll 5 eval '[ "$(grep -c registered "$SM_LOG")" -gt "$(grep -c closed "$SM_LOG")" ]' ||
      fail "the clock did not register with the session manager"
    kill -USR1 "$SM_PID"
  else
    kill -s "$1" "$VPID"
  fi
}

start_xvfb
start_openbox
start_session_manager
use_mock_logind_bus
mkdir -p "$(dirname "$INI")"
printf '[Apagado]\nRemain=7\nUsaSpeaker=0\nWindowsVersion=2\n' >"$INI"

ways=(session TERM INT HUP)
slowest_ms=0
n=0
for state in box_at_start box_later about config_dialog note_window menu editor countdown; do
  way=${ways[n % 4]}
  n=$((n + 1))
  echo "$state, then $way"
  "open_$state"
  if [ -n "${VESPERON_SHOTS_DIR:-}" ]; then
    mkdir -p "$VESPERON_SHOTS_DIR"
    import -window root "$VESPERON_SHOTS_DIR/end-$n-$state.png"
  fi
  sent_at=$(now_us)
  end_clock "$way"
  expect_ended 2 "$way in $state"
  ms=$((($(now_us) - sent_at) / 1000))
  [ "$ms" -le "$slowest_ms" ] || slowest_ms=$ms
  expect_stored_place "$EXPECT_X" "$EXPECT_Y"
  note "ended in $ms ms, status 0, stored $EXPECT_X,$EXPECT_Y px"
done

echo "the last clock left the lock free, and logind was never asked"
start_vesperon
wait_window "$VPID"
kill -TERM "$VPID"
wait_exit "$VPID" 2 || fail "still running 2 s after SIGTERM"
if grep -q PowerOff "$MOCK_LOG"; then fail "logind was asked to power off: $(cat "$MOCK_LOG")"; fi
echo "measured: the slowest end took $slowest_ms ms"
echo "PASS"
