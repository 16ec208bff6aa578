# shellcheck shell=bash disable=SC2034  # the variables are for the scripts
# Shared by the end-to-end scripts: a private X server, a fresh home, the
# program started and found on screen, screenshots read back as digits.
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

# A session bus of the test's own (the system bus still points nowhere).
start_session_bus() {
  local socket="$WORK/session-bus"
  dbus-daemon --session --nofork --address="unix:path=$socket" >/dev/null 2>"$WORK/session-bus.err" &
  track $!
  poll 10 test -S "$socket" || fail "session dbus-daemon did not start: $(cat "$WORK/session-bus.err")"
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$socket"
}

# A stand-in panel on that bus: a StatusNotifierWatcher with a host, which
# logs each item registered to $SNI_LOG; sets SNI_WATCHER.
start_sni_watcher() {
  SNI_LOG="$WORK/sni.log"
  "$PYTHON" "$E2E_DIR/sni_watcher.py" "$SNI_LOG" 2>"$WORK/sni_watcher.err" &
  SNI_WATCHER=$!
  track "$SNI_WATCHER"
  poll 10 eval 'dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher 2>/dev/null |
      grep -q "boolean true"' || fail "the stand-in watcher did not start: $(cat "$WORK/sni_watcher.err")"
}

# Waits (max $1 s) for an item registered with the stand-in watcher; sets
# SNI_ITEM to its bus name.
wait_sni_item() {
  poll "$1" eval 'SNI_ITEM=$(awk "{print \$2}" "$SNI_LOG" 2>/dev/null | tail -n1); [ -n "$SNI_ITEM" ]' ||
    fail "no item registered with the watcher within $1 s"
}

sni() { "$PYTHON" "$E2E_DIR/sni_item.py" "$SNI_ITEM" "$@"; }

# Waits (max $1 s) for the program's icon docked in trayer; sets ICON_X and
# ICON_Y to its middle on the screen.
wait_tray_icon() {
  local line
  poll "$1" eval 'line=$(xwininfo -root -tree | grep -F "\"vesperon\": (\"vesperon\" \"vesperon\")" |
      grep -v "171x128" | head -n1); [ -n "$line" ]' || fail "no icon docked in the tray within $1 s"
  read -r ICON_X ICON_Y < <(awk '{ split($(NF-1), size, "[x+]"); split($NF, at, "+");
    print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2) }' <<<"$line")
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

# ------------------------------------------------------------ mock logind

# Starts a private bus with a mock logind on it and checks, over that bus,
# that org.freedesktop.login1 is owned and answers the mock's own interface.
# Only then is the system bus pointed at it and the dry run switched off.
use_mock_logind_bus() {
  local socket="$WORK/private-system-bus"
  local address="unix:path=$socket"
  MOCK_LOG="$WORK/logind.log"

  dbus-daemon --session --nofork --address="$address" >/dev/null 2>"$WORK/dbus.err" &
  track $!
  poll 10 test -S "$socket" || fail "private dbus-daemon did not start: $(cat "$WORK/dbus.err")"

  DBUS_SYSTEM_BUS_ADDRESS="$address" "$PYTHON" -m dbusmock --system -l "$MOCK_LOG" \
    --template logind >"$WORK/dbusmock.out" 2>&1 &
  track $!
  local mock=$!

  poll 15 eval 'dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
      string:org.freedesktop.login1 2>/dev/null | grep -q "boolean true"' ||
    fail "the mock logind did not appear on the private bus: $(cat "$WORK/dbusmock.out")"
  kill -0 "$mock" 2>/dev/null || fail "the mock logind ended: $(cat "$WORK/dbusmock.out")"
  # Only a dbusmock object has the Mock interface: this is not a real logind.
  dbus-send --bus="$address" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.DBus.Mock.GetCalls >/dev/null 2>&1 ||
    fail "org.freedesktop.login1 on the private bus does not answer as the mock"

  MOCK_BUS_ADDRESS=$address
  export DBUS_SYSTEM_BUS_ADDRESS=$address
  unset VESPERON_DRY_RUN
}

# Makes the power-off of the mock logind answer with a refusal, as polkit
# does when the user may not power off.
refuse_power_off() {
  dbus-send --bus="$MOCK_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddMethod \
    string:org.freedesktop.login1.Manager string:PowerOff string:b string: \
    string:"raise dbus.exceptions.DBusException('Access denied', name='org.freedesktop.DBus.Error.AccessDenied')" \
    >/dev/null || fail "could not make the mock logind refuse"
}

# ------------------------------------------------- mock notification server

# A private session bus with a mock notification server on it; every
# Notify lands in $NOTIFY_LOG.
use_mock_notifications_bus() {
  local socket="$WORK/private-session-bus"
  local address="unix:path=$socket"
  NOTIFY_LOG="$WORK/notifications.log"

  dbus-daemon --session --nofork --address="$address" >/dev/null 2>"$WORK/session-dbus.err" &
  track $!
  poll 10 test -S "$socket" || fail "private session bus did not start: $(cat "$WORK/session-dbus.err")"
  DBUS_SESSION_BUS_ADDRESS="$address" "$PYTHON" -m dbusmock --session -l "$NOTIFY_LOG" \
    --template notification_daemon >"$WORK/notifications.out" 2>&1 &
  track $!
  poll 15 eval 'dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
      string:org.freedesktop.Notifications 2>/dev/null | grep -q "boolean true"' ||
    fail "the mock notification server did not appear: $(cat "$WORK/notifications.out")"
  export DBUS_SESSION_BUS_ADDRESS=$address
}

# ------------------------------------------------------- small file system

# Mounts a 64 KiB file system over folder $1 (unmounted by the clean-up,
# whatever happens). Needs root; without it the script fails and says so.
mount_small_fs() {
  mkdir -p "$1"
  mount -t tmpfs -o size=64k,mode=0700 tmpfs "$1" 2>"$WORK/mount.err" ||
    fail "cannot mount a small file system on $1 (this test needs root): $(cat "$WORK/mount.err")"
  E2E_MOUNTS+=("$1")
}

# Fills the file system that holds folder $1 to its last byte.
fill_fs() {
  head -c 1M /dev/zero >"$1/filler" 2>/dev/null || true
  ! printf x >>"$1/probe" 2>/dev/null || fail "$1 is not full"
}

# ------------------------------------------------------------ sound server

# A PulseAudio daemon of the test's own whose only sink plays into nothing
# (no rewinds, so what it plays keeps its place in time), with the program
# pointed at it through PULSE_SERVER; sets SOUND_SERVER to its process.
start_sound_server() {
  local dir="$WORK/pulse"
  mkdir -p "$dir"
  mkdir -m 0700 "$dir/runtime"
  HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" PULSE_SERVER="" \
    DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/vesperon-e2e-session \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
    --load="module-null-sink sink_name=vesperon rate=48000 channels=1 format=s16le norewinds=1" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    >/dev/null 2>"$WORK/pulseaudio.err" &
  SOUND_SERVER=$!
  track "$SOUND_SERVER"
  export PULSE_SERVER="unix:$dir/native"
  poll 10 eval 'pactl info >/dev/null 2>&1' || fail "pulseaudio did not start: $(cat "$WORK/pulseaudio.err")"
}

# Records what the sink plays to $WORK/$1.raw (mono, signed 16-bit, 48 kHz)
# until stop_recording; returns once the recording runs.
start_recording() {
  RECORDING="$WORK/$1.raw"
  parec --device=vesperon.monitor --raw --format=s16le --rate=48000 --channels=1 \
    --latency-msec=10 >"$RECORDING" 2>"$WORK/parec.err" &
  RECORDER=$!
  track "$RECORDER"
  poll 10 test -s "$RECORDING" || fail "parec recorded nothing: $(cat "$WORK/parec.err")"
}

stop_recording() {
  kill -TERM "$RECORDER"
  wait "$RECORDER" 2>/dev/null || true
}
