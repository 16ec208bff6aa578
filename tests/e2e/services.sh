# shellcheck shell=bash disable=SC2034  # the variables are for the scripts
# Part of lib.sh: services of the test's own beside the clock: a session bus
# with a stand-in panel, mock logind and notification servers on private
# buses, a small file system, a sound server.

# ------------------------------------------------------------ session bus

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

# ---------------------------------------------------------------- mock buses

# Starts a bus daemon of the test's own, and on it python-dbusmock's
# template $1 ($2: --system or --session) logging the calls it gets to $3;
# returns once the bus name $4 is owned. Sets PRIVATE_BUS (the address) and
# MOCK_OUT (what the mock printed).
start_mock_on_private_bus() {
  local template=$1 bus=$2 log=$3 name=$4
  local socket="$WORK/$template-bus"
  PRIVATE_BUS="unix:path=$socket"
  MOCK_OUT="$WORK/$template.out"

  dbus-daemon --session --nofork --address="$PRIVATE_BUS" >/dev/null 2>"$WORK/$template-bus.err" &
  track $!
  poll 10 test -S "$socket" || fail "a private bus did not start: $(cat "$WORK/$template-bus.err")"

  DBUS_SYSTEM_BUS_ADDRESS="$PRIVATE_BUS" DBUS_SESSION_BUS_ADDRESS="$PRIVATE_BUS" \
    "$PYTHON" -m dbusmock "$bus" -l "$log" --template "$template" >"$MOCK_OUT" 2>&1 &
  MOCK_PID=$!
  track "$MOCK_PID"
  # shellcheck disable=SC2016  # expanded by the polled command
  poll 15 eval 'dbus-send --bus="$PRIVATE_BUS" --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
      string:'"$name"' 2>/dev/null | grep -q "boolean true"' ||
    fail "the mock $template did not appear on its private bus: $(cat "$MOCK_OUT")"
}

# Starts a private bus with a mock logind on it and checks, over that bus,
# that org.freedesktop.login1 is owned and answers the mock's own interface.
# Only then is the system bus pointed at it and the dry run switched off.
use_mock_logind_bus() {
  MOCK_LOG="$WORK/logind.log"
  start_mock_on_private_bus logind --system "$MOCK_LOG" org.freedesktop.login1
  local address=$PRIVATE_BUS
  kill -0 "$MOCK_PID" 2>/dev/null || fail "the mock logind ended: $(cat "$MOCK_OUT")"
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

# A private session bus with a mock notification server on it; every
# Notify lands in $NOTIFY_LOG.
use_mock_notifications_bus() {
  NOTIFY_LOG="$WORK/notifications.log"
  start_mock_on_private_bus notification_daemon --session "$NOTIFY_LOG" org.freedesktop.Notifications
  export DBUS_SESSION_BUS_ADDRESS=$PRIVATE_BUS
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
