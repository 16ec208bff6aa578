#!/usr/bin/env bash
# The settings folder sits on a small file system that is full. An earlier
# accept left today's date in the file; a time that has already passed is
# accepted now (so for tomorrow, which cannot be stored) and armed: nothing
# may be powered off today, and the clock must say that the save failed.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

COUNTDOWN_SECONDS=5

start_xvfb
use_mock_logind_bus

# The accepted time lies a minute back, on today's date.
seconds_since_midnight=$((10#$(printf '%(%H)T' -1) * 3600 + 10#$(printf '%(%M)T' -1) * 60 + 10#$(printf '%(%S)T' -1)))
if [ "$seconds_since_midnight" -lt 120 ]; then
  note "waiting $((121 - seconds_since_midnight))s for a time a minute back to fall on today"
  sleep $((121 - seconds_since_midnight))
fi
earlier=$((${EPOCHREALTIME%.*} - 60))
read -r hh mm ss < <(printf '%(%H %M %S)T\n' "$earlier")
today=$(printf '%(%-d %b %Y)T' -1)

mount_small_fs "$XDG_CONFIG_HOME/Vesperon"
store_shutdown_time "FechaApagado=$today" SpeakerMelody=0 UsaSpeaker=0 ""
cat >>"$INI" <<EOF2
[Vesperon]
AutoStart=0

[Window]
OnTop=0
Skin=
xpos=6397.5
ypos=4800
EOF2
fill_fs "$XDG_CONFIG_HOME/Vesperon"
note "settings on a full 64 KiB file system; stored date $today, time $hh:$mm:$ss"

start_vesperon
wait_window "$VPID"

echo "open the editor, accept the stored time (passed: for tomorrow)"
open_editor
accept_time
[ "${FACE[message]}" = other ] || fail "no message on accepting"
grep -q 'could not save Apagado/' "$VLOG.err" || fail "standard error does not say the save failed"
expect_ini Apagado FechaApagado "$today"  # the disk is full: the store keeps the old date

echo "arm, and wait longer than a countdown"
arm_accepted_time
sleep $((COUNTDOWN_SECONDS + 3))
read_face "$WID"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] ||
  fail "the arm indicator shows ${FACE[tip_apagado]}: the time accepted for tomorrow fired today"
if grep -q ' PowerOff ' "$MOCK_LOG"; then fail "logind was asked to power off: $(cat "$MOCK_LOG")"; fi
kill -0 "$VPID" 2>/dev/null || fail "the clock ended"
note "still armed and waiting; logind was asked nothing"
echo "PASS"
