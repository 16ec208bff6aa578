#!/usr/bin/env bash
# The window comes back where it was: every way of ending the clock (SIGTERM,
# SIGINT, SIGHUP, the window manager's close, the close area) stores the
# position, in twips, and the next start puts the window there.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

expect_at() {
  local left top
  read -r left top _ < <(window_geometry "$WID")
  [ "$left $top" = "$1 $2" ] || fail "window at $left,$top, expected $1,$2"
}

# Moves the window from outside, as a window manager or the user would.
move_to() {
  # shellcheck disable=SC2034  # read by the polled command
  local target="$1 $2"
  xdotool windowmove "$WID" "$1" "$2"
  poll 5 eval '[ "$(window_geometry "$WID" | cut -d" " -f1,2)" = "$target" ]' ||
    fail "could not move the window to $1,$2"
  # Let the clock see the move before anything else happens to it.
  sleep 0.3
}

# Ends the clock by way $1 and checks that it ends with status 0 and has
# stored the position $2,$3 (pixels).
close_and_expect() {
  local how=$1 px=$2 py=$3
  case "$how" in
    SIGTERM | SIGINT | SIGHUP) kill -s "${how#SIG}" "$VPID" ;;
    wm-close) "$PYTHON" "$E2E_DIR/wm_close.py" "$WID" || fail "could not send the close message" ;;
    close-area) click 161 8 ;;  # ImgCerrar
  esac
  expect_ended 5 "$how"
  expect_stored_place "$px" "$py"
  note "$how: ended, stored $((px * TWIPS)),$((py * TWIPS)) twips ($px,$py px)"
}

start_xvfb

echo "first start: centred, and the centre stored at the end"
start_vesperon
wait_window "$VPID"
read -r left top _ < <(window_geometry "$WID")
kill -TERM "$VPID"
expect_ended 5 SIGTERM
xpos=$(ini_get Window xpos) && ypos=$(ini_get Window ypos) || fail "no position stored"
# The centre of 1024 is half a pixel off the grid: 426.5 px shown as 427.
awk -v x="$xpos" -v y="$ypos" -v l="$left" -v t="$top" -v k=$TWIPS \
  'BEGIN { d = x / k - l; exit !(d >= -0.5 && d <= 0.5 && y / k == t) }' ||
  fail "stored $xpos,$ypos twips for a window at $left,$top px"
note "SIGTERM: ended, stored $xpos,$ypos twips for the window at $left,$top"

echo "a position edited in the settings is used"
sed -i -e 's/^xpos=.*/xpos=1500/' -e 's/^ypos=.*/ypos=3000/' "$INI"
start_vesperon
wait_window "$VPID"
expect_at 100 200
note "1500,3000 twips: window at 100,200"

echo "moved, then closed in each way: the next start comes back there"
move_to 300 150
close_and_expect SIGINT 300 150

start_vesperon
wait_window "$VPID"
expect_at 300 150
move_to 50 60
close_and_expect SIGHUP 50 60

start_vesperon
wait_window "$VPID"
expect_at 50 60
move_to 700 500
close_and_expect wm-close 700 500

start_vesperon
wait_window "$VPID"
expect_at 700 500
move_to 20 30
close_and_expect close-area 20 30

start_vesperon
wait_window "$VPID"
expect_at 20 30
close_and_expect SIGTERM 20 30
echo "PASS"
