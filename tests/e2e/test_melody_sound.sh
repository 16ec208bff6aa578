#!/usr/bin/env bash
# The melodies really sound: played into a sound server of the test's own
# whose sink plays into nothing, and recorded from that sink. A 5-s countdown
# with the speaker on plays its melody a second apart; after the second one
# the server stops answering (SIGSTOP), and the countdown must still end on
# time. Once the server is back, "Probar" in the configuration dialog plays
# each of the three melodies. Every recorded melody is checked against the
# table: its tones within 2 %, its length within 20 ms (melody_sound.py).
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

LEAD_SECONDS=6       # from now to the shutdown time
COUNTDOWN_SECONDS=5
GWBASIC_SECONDS=0.505
ANALYSE=("$PYTHON" "$E2E_DIR/melody_sound.py")

# Sleeps until $1 seconds (a decimal) after the shutdown time.
sleep_until_after_target() {
  local at_us=$((target * 1000000 + $(awk -v s="$1" 'BEGIN {printf "%d", s * 1000000}')))
  while [ "$(now_us)" -lt "$at_us" ]; do sleep 0.02; done
}

start_xvfb
start_openbox
start_sound_server
note "pulseaudio up at $PULSE_SERVER"

shutdown_time_ahead "$LEAD_SECONDS"
store_shutdown_time UsaSpeaker=1 SpeakerMelody=2
start_vesperon
wait_window "$VPID"

echo "the countdown plays GWBasic on each tick"
start_recording countdown
arm_stored_time
# Ticks come a second apart from the shutdown time; the second melody has
# ended 2.5 s after it.
sleep_until_after_target 2.75
stop_recording
"${ANALYSE[@]}" --every 1000 "$RECORDING" GWBasic GWBasic ||
  fail "the countdown's melodies are not the table's"

echo "a sound server that stops answering holds up no tick"
kill -STOP "$SOUND_SERVER"
sleep_until_after_target 2.8
poll $((COUNTDOWN_SECONDS + 2)) grep -q 'dry run: power-off requested' "$VLOG.err" ||
  fail "no power-off request while the sound server was stopped: the countdown stopped with it"
ended=$(awk -v us="$(($(now_us) - target * 1000000))" 'BEGIN {printf "%.2f", us / 1000000}')
kill -CONT "$SOUND_SERVER"
awk -v e="$ended" -v n="$COUNTDOWN_SECONDS" -v m="$GWBASIC_SECONDS" 'BEGIN {exit !(e <= n + m + 0.1)}' ||
  fail "the power-off request came ${ended}s after the shutdown time, expected by ${COUNTDOWN_SECONDS}s and a melody"
note "power-off requested ${ended}s after the shutdown time, the sound server stopped since 2.8s"

echo "\"Probar\" plays each melody on the server that is back"
sleep 1  # for the server to catch up
start_recording probar
open_dialog
# Focus starts on the Windows type; the melody list is five steps on, and
# "Probar" the next. Each melody blocks the dialog while it plays.
xdotool key Tab Tab Tab Tab Tab Up Up Tab space  # Beep
sleep 0.8
xdotool key shift+Tab Down Tab space  # Pajaraco
sleep 0.8
xdotool key shift+Tab Down Tab space  # GWBasic
sleep 0.9
xdotool key Escape
poll 5 dialog_closed || fail "Escape did not close the dialog"
stop_recording
"${ANALYSE[@]}" "$RECORDING" Beep Pajaraco GWBasic || fail "the melodies \"Probar\" played are not the table's"

kill -0 "$VPID" 2>/dev/null || fail "the clock ended"
reports=$(grep -c 'sound server' "$VLOG.err" || true)
[ "$reports" = 1 ] && grep -q 'the sound server stopped playing' "$VLOG.err" ||
  fail "expected one line on the stopped sound server: $(cat "$VLOG.err")"
echo "PASS"
