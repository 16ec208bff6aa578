# shellcheck shell=bash disable=SC2034,SC2120  # the variables and arguments are the scripts'
# Shared by the end-to-end scripts: a private X server, a fresh home, the
# program started and found on screen, screenshots read back as digits; and,
# in the two files it sources, services of the test's own (services.sh) and
# the steps of a shutdown on the clock (shutdown_road.sh).
#
# Usage from a script:  source "$(dirname "$0")/lib.sh" "$1"
#
# No script may ever reach this machine's power-off. Every start goes through
# start_vesperon, which refuses unless the dry run is on and the system bus
# points nowhere, or the system bus is a private one whose logind was checked
# to be the mock (see use_mock_logind_bus).

set -euo pipefail

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
RESOURCES=$(cd "$E2E_DIR/../../resources" && pwd)
# Debian's own ImageMagick and Python, whatever else PATH holds.
CONVERT=/usr/bin/convert
PYTHON=/usr/bin/python3

VESPERON=${1:?usage: $0 <path to vesperon>}
VESPERON=$(readlink -f "$VESPERON")
[ -x "$VESPERON" ] || { echo "FAIL: $VESPERON is not an executable" >&2; exit 1; }

WORK=$(mktemp -d /tmp/vesperon-e2e.XXXXXX)
E2E_PIDS=()
E2E_MOUNTS=()
MOCK_BUS_ADDRESS=""

# ---------------------------------------------------------------- reporting

fail() {
  echo "FAIL: $*" >&2
  for log in "$WORK"/vesperon-*.err; do
    [ -s "$log" ] && { echo "--- $(basename "$log"):" >&2; cat "$log" >&2; }
  done
  exit 1
}

note() { echo "  $*"; }

# ------------------------------------------------------------------ cleanup

cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${E2E_PIDS[@]}"; do
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  for mount in "${E2E_MOUNTS[@]}"; do umount "$mount" 2>/dev/null || umount -l "$mount" || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

track() { E2E_PIDS+=("$1"); }

# ------------------------------------------------------------- environment

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
INI="$XDG_CONFIG_HOME/Vesperon/Vesperon.ini"
AUTOSTART_ENTRY="$XDG_CONFIG_HOME/autostart/vesperon.desktop"

export LC_ALL=C LANG=C
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# Power-off only reported, and no system bus to reach anyway.
export VESPERON_DRY_RUN=1
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/vesperon-e2e
# No session bus either: otherwise D-Bus autolaunches a daemon that outlives us.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/vesperon-e2e-session

now_us() { echo "${EPOCHREALTIME/./}"; }

# A shutdown time $1 seconds from now that stays on today's date (near
# midnight it waits for the next day first): sets target (seconds since the
# epoch) and its hh, mm and ss.
shutdown_time_ahead() {
  local seconds_to_midnight
  seconds_to_midnight=$((86400 - 10#$(printf '%(%H)T' -1) * 3600 - 10#$(printf '%(%M)T' -1) * 60 - 10#$(printf '%(%S)T' -1)))
  if [ "$seconds_to_midnight" -lt 30 ]; then
    note "waiting ${seconds_to_midnight}s for midnight"
    sleep $((seconds_to_midnight + 1))
  fi
  target=$((${EPOCHREALTIME%.*} + $1))
  read -r hh mm ss < <(printf '%(%H %M %S)T\n' "$target")
}

# Runs "$@" every 50 ms until it succeeds or $1 seconds have passed.
poll() {
  local seconds=$1
  shift
  local deadline=$(($(now_us) + seconds * 1000000))
  until "$@"; do
    [ "$(now_us)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# ----------------------------------------------------------------- X server

start_xvfb() {
  local displayfile="$WORK/xvfb.display"
  : >"$displayfile"
  # -noreset: between two clocks no client is left, and a server reset then
  # refuses the next one for a moment.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$displayfile" 2>"$WORK/xvfb.log" &
  track $!
  poll 10 test -s "$displayfile" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  DISPLAY=":$(head -n1 "$displayfile")"
  export DISPLAY
}

# A Wayland session: Debian's weston, headless, whose XWayland serves X
# clients from the first one on. Sets WAYLAND_DISPLAY, XDG_SESSION_TYPE and
# DISPLAY (XWayland's), and leaves the display platform to the program.
start_weston() {
  weston --backend=headless-backend.so --xwayland --no-config --socket=vesperon-e2e \
    --width=1024 --height=768 --log="$WORK/weston.log" >"$WORK/weston.err" 2>&1 &
  track $!
  poll 10 eval 'grep -qs "xserver listening on display" "$WORK/weston.log"' ||
    fail "weston did not start: $(cat "$WORK/weston.log" "$WORK/weston.err" 2>/dev/null)"
  DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -n1)
  export DISPLAY WAYLAND_DISPLAY=vesperon-e2e XDG_SESSION_TYPE=wayland
  unset QT_QPA_PLATFORM
}

# ------------------------------------------------------ desktop and trays

# A window manager, for what only one does: minimized windows, the
# always-on-top band.
start_openbox() {
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  track $!
  poll 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$WORK/openbox.log")"
  # Openbox names itself before it takes windows: one mapped in between is
  # never managed and never shown. Probe windows tell when it takes them.
  local probe
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    xlogo -geometry 8x8+0+0 -name vesperon-wm-probe >/dev/null 2>&1 &
    probe=$!
    if poll 1 eval 'w=$(xdotool search --classname vesperon-wm-probe 2>/dev/null | head -n1);
      [ -n "$w" ] && xprop -id "$w" WM_STATE 2>/dev/null | grep -q Normal'; then
      kill "$probe" 2>/dev/null
      wait "$probe" 2>/dev/null || true
      return
    fi
    kill "$probe" 2>/dev/null
    wait "$probe" 2>/dev/null || true
  done
  fail "openbox took no window"
}

# Debian's trayer as an XEmbed system tray at the bottom right; sets TRAYER.
start_trayer() {
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
    >"$WORK/trayer.log" 2>&1 &
  TRAYER=$!
  track "$TRAYER"
  poll 10 eval 'xdotool search --class Trayer >/dev/null 2>&1' ||
    fail "trayer did not start: $(cat "$WORK/trayer.log")"
}

# Waits (max $1 s) for the program's icon docked in trayer; sets ICON_X and
# ICON_Y to its middle on the screen.
wait_tray_icon() {
  local line
  poll "$1" eval 'line=$(xwininfo -root -tree | grep -F "\"vesperon\": (\"vesperon\" \"vesperon\")" |
      grep -v "171x128" | head -n1); [ -n "$line" ]' || fail "no icon docked in the tray within $1 s"
  read -r ICON_X ICON_Y < <(awk '{ split($(NF-1), size, "[x+]"); split($NF, at, "+");
    print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2) }' <<<"$line")
}

# A desktop of openbox and trayer, and the clock started on it out of the
# always-on-top band, on screen and docked in the tray.
start_clock_in_tray() {
  start_xvfb
  start_openbox
  start_trayer
  mkdir -p "$(dirname "$INI")"
  printf '[Window]\nOnTop=0\n' >"$INI"
  start_vesperon
  wait_window "$VPID"
  wait_tray_icon 10
}

# The ICCCM state of window $1 as the window manager set it: Normal, Iconic,
# or Withdrawn when it has none.
wm_state() {
  local state
  state=$(xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}')
  echo "${state:-Withdrawn}"
}

is_mapped() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# The id of an open popup menu of process $1, if any: a window that is not
# the window manager's to place, too tall for a tooltip.
menu_window_of() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | awk '/Override Redirect State: yes/ {o = 1} /Height:/ {h = $2}
      END {exit !(o && h > 100)}' && { echo "$id"; return; }
  done
}

# ------------------------------------------------------------------ program

is_private_address() {
  case "$1" in
    unix:path=/nonexistent/*) return 0 ;;
    "$MOCK_BUS_ADDRESS") [ -n "$MOCK_BUS_ADDRESS" ] ;;
    *) return 1 ;;
  esac
}

# Starts the program with any arguments; sets VPID. Output goes to
# $WORK/vesperon-N.out/.err, N counting the starts of this script.
VSTARTS=0
refuse_unless_power_off_unreachable() {
  if [ "${VESPERON_DRY_RUN:-}" = 1 ]; then
    case "${DBUS_SYSTEM_BUS_ADDRESS:-}" in
      unix:path=/nonexistent/*) ;;
      *) fail "refusing to start: dry run without the dead system bus address" ;;
    esac
  elif [ -z "$MOCK_BUS_ADDRESS" ] || [ "${DBUS_SYSTEM_BUS_ADDRESS:-}" != "$MOCK_BUS_ADDRESS" ]; then
    fail "refusing to start: no dry run and the system bus is not the checked mock"
  fi
}
start_vesperon() {
  refuse_unless_power_off_unreachable
  VSTARTS=$((VSTARTS + 1))
  VLOG="$WORK/vesperon-$VSTARTS"
  "$VESPERON" "$@" >"$VLOG.out" 2>"$VLOG.err" &
  VPID=$!
  track "$VPID"
}

# Runs the program with a command line for the clock that runs, to its end
# (max 30 s), as a terminal would; a clock it starts takes this environment.
# Sets OUT, ERR (what it printed) and STATUS.
run_vesperon_command() {
  refuse_unless_power_off_unreachable
  STATUS=0
  timeout 30 "$VESPERON" "$@" >"$WORK/command.out" 2>"$WORK/command.err" || STATUS=$?
  OUT=$(cat "$WORK/command.out")
  ERR=$(cat "$WORK/command.err")
}

# The window of process $1 titled exactly $2, if there is one; mapped only
# with a third argument --onlyvisible. (xdotool's own name search is no
# help here: it takes the tray icon's "vesperon" for "Vesperon", and more.)
window_named() {
  local id name only=()
  [ -n "${3:-}" ] && only=("$3")
  for id in $(xdotool search "${only[@]}" --pid "$1" 2>/dev/null); do
    name=$(xprop -id "$id" WM_NAME 2>/dev/null)
    [ "${name#WM_NAME(*) = }" = "\"$2\"" ] && { echo "$id"; return; }
  done
}
visible_window_named() { window_named "$1" "$2" --onlyvisible; }

# The mapped clock window of process $1, if there is one.
visible_window_of() { visible_window_named "$1" Vesperon; }

# Waits (max $2 s, default 10) for the mapped window of process $1; sets WID.
wait_window() {
  local pid=$1 seconds=${2:-10}
  WID=""
  poll "$seconds" eval 'WID=$(visible_window_of "$pid"); [ -n "$WID" ]' ||
    fail "no mapped Vesperon window of process $pid within ${seconds}s$(kill -0 "$pid" 2>/dev/null || echo ' (the process has ended)')"
  # Mapped comes before painted: until its first paint a window shows one
  # flat colour, and a busy machine can take a moment over it.
  poll "$seconds" painted "$WID" || fail "window $WID was mapped but never painted"
}

# Whether window $1 shows more than one flat colour.
painted() {
  local deviation
  deviation=$(xwd -silent -id "$1" 2>/dev/null | "$CONVERT" xwd:- -format '%[fx:standard_deviation]' info: 2>/dev/null) || return 1
  [ -n "$deviation" ] && [ "$deviation" != 0 ]
}

# "left top width height" of window $1, from xwininfo.
window_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ {x=$NF} /Absolute upper-left Y:/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Waits for process $1 to end (max $2 s); sets EXIT_STATUS.
wait_exit() {
  local pid=$1 seconds=$2
  poll "$seconds" eval '! kill -0 "$pid" 2>/dev/null' || return 1
  EXIT_STATUS=0
  { wait "$pid"; } 2>/dev/null || EXIT_STATUS=$?
}

# Waits (max $1 s) for the clock $VPID to end after $2, what ended it; it
# must end with status 0.
expect_ended() {
  wait_exit "$VPID" "$1" || fail "still running $1 s after $2"
  [ "$EXIT_STATUS" = 0 ] || fail "ended with status $EXIT_STATUS after $2"
}

# Two presses closer together than the double-click time make a double
# click, whose second press reaches only the stepping buttons: single clicks
# keep that far apart.
LAST_CLICK_US=0
click() {
  local wait_us=$((LAST_CLICK_US + 500000 - $(now_us)))
  [ "$wait_us" -le 0 ] || sleep "$(printf '0.%06d' "$wait_us")"
  xdotool mousemove --window "$WID" "$1" "$2" click 1
  LAST_CLICK_US=$(now_us)
}
double_click() { xdotool mousemove --window "$WID" "$1" "$2" click --repeat 2 --delay 80 1; }

# ----------------------------------------------------- configuration dialog

# The open dialog of the clock's process, by its size: its title is not
# ASCII, which the X tools print in their own ways.
dialog_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$VPID" 2>/dev/null); do
    [ "$(window_geometry "$id" | cut -d' ' -f3,4)" = "387 513" ] && { echo "$id"; return; }
  done
}

# Opens the dialog with the menu button and waits until it has the keyboard;
# sets DIALOG.
open_dialog() {
  click 148 8  # ImgConfig
  poll 5 eval '[ -n "$(menu_window_of "$VPID")" ]' || fail "the menu button opened no menu"
  xdotool key c  # "&Configuración"
  poll 5 eval 'DIALOG=$(dialog_window); [ -n "$DIALOG" ]' || fail "no 387x513 dialog opened"
  poll 5 eval '[ "$(xdotool getactivewindow 2>/dev/null)" = "$DIALOG" ]' ||
    fail "the dialog did not take the keyboard"
}

dialog_closed() { [ -z "$(dialog_window)" ]; }

# ------------------------------------------------------------------ settings

# Value of key $2 in section $1 of the settings file; fails when absent.
ini_get() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { inside = ($0 == section); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); found = 1; exit }
    END { exit !found }' "$INI"
}

expect_ini() {
  local value
  value=$(ini_get "$1" "$2") || fail "[$1] $2 is missing from the settings file"
  [ "$value" = "$3" ] || fail "[$1] $2 is '$value', expected '$3'"
}

# Twips to the pixel at 96 dots per inch, which Xvfb reports (and Wine on it).
TWIPS=15

# The window's place stored in the settings file: $1,$2 pixels, in twips.
expect_stored_place() {
  expect_ini Window xpos $(($1 * TWIPS))
  expect_ini Window ypos $(($2 * TWIPS))
}

# ------------------------------------------------------------- screenshots

# Captures window $1 into $WORK/face.ppm and reads what its face shows into
# FACE: FACE[digits] (six characters, "?" for no digit), FACE[digit1..6],
# FACE[colon1/2], FACE[tip_apagado], FACE[tip_ok], FACE[message]; each the
# built-in picture shown there, "background" or "other" (see face.py); and
# FACE[message_pixels], a hash that tells one message from another.
# FACE_BEFORE and FACE_AFTER hold the time of day (HHMMSS) around the capture.
declare -A FACE=()
read_face() {
  local key value
  FACE_BEFORE=$(printf '%(%H%M%S)T' -1)
  xwd -silent -id "$1" >"$WORK/face.xwd" || fail "could not capture window $1"
  FACE_AFTER=$(printf '%(%H%M%S)T' -1)
  "$CONVERT" xwd:"$WORK/face.xwd" "$WORK/face.ppm" || fail "could not convert the capture"
  FACE=()
  while read -r key value; do FACE[$key]=$value; done < <("$PYTHON" "$E2E_DIR/face.py" "$WORK/face.ppm" "$RESOURCES")
  [ -n "${FACE[digits]:-}" ] || fail "could not read the face from the capture"
}

# shellcheck source=services.sh
source "$E2E_DIR/services.sh"
# shellcheck source=shutdown_road.sh
source "$E2E_DIR/shutdown_road.sh"
