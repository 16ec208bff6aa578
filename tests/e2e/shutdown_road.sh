# shellcheck shell=bash disable=SC2154  # hh, mm, ss and INI are set by lib.sh
# Part of lib.sh: the road of one shutdown on the clock window, each step
# seen on its face.

# Writes a settings file that holds the shutdown time $hh:$mm:$ss (see
# shutdown_time_ahead), the countdown choice of $COUNTDOWN_SECONDS (5 to 40)
# and Windows NT's way of powering off, followed by the lines $1... (by
# default: the speaker off).
store_shutdown_time() {
  local remain=$((COUNTDOWN_SECONDS / 5 - 1))
  [ $# -gt 0 ] || set -- UsaSpeaker=0
  mkdir -p "$(dirname "$INI")"
  printf '[Apagado]\nHoras=%d\nMinutos=%d\nSegundos=%d\nRemain=%s\nWindowsVersion=2\n' \
    "$((10#$hh))" "$((10#$mm))" "$((10#$ss))" "$remain" >"$INI"
  printf '%s\n' "$@" >>"$INI"
}

# The steps of the clock window $WID's editor, each seen on its face. A
# double click on the first digit opens the editor on the stored time $hh,
# $mm, $ss (the hours blink, so they may be out of the capture).
open_editor() {
  double_click 26 47
  sleep 0.3
  read_face "$WID"
  [ "${FACE[tip_ok]}" = tip-ok-on ] || fail "accept indicator shows ${FACE[tip_ok]} in the editor"
  [[ "${FACE[digits]}" == "$hh$mm$ss" || "${FACE[digits]}" == "??$mm$ss" ]] ||
    fail "the editor shows ${FACE[digits]}, expected the stored $hh$mm$ss"
}

# Accepts the edited time; with a shutdown time $target set, before it
# passes.
accept_time() {
  click 145 42
  [ -z "${target:-}" ] || [ "${EPOCHREALTIME%.*}" -lt "$target" ] ||
    fail "too slow: the shutdown time passed before it was accepted"
  sleep 0.3
  read_face "$WID"
  [ "${FACE[tip_ok]}" = tip-ok-off ] || fail "accept indicator shows ${FACE[tip_ok]} after accepting"
}

arm_accepted_time() {
  click 128 52
  sleep 0.3
  read_face "$WID"
  [ "${FACE[tip_apagado]}" = tip-apagado-on ] || fail "not armed: the indicator shows ${FACE[tip_apagado]}"
}

arm_stored_time() {
  open_editor
  accept_time
  arm_accepted_time
}

# Waits until 1.5 s after the shutdown time: the countdown runs, and the arm
# indicator is the blinking stop.
expect_countdown_running() {
  while [ "$(now_us)" -lt $(((target + 1) * 1000000 + 500000)) ]; do sleep 0.05; done
  read_face "$WID"
  [[ "${FACE[tip_apagado]}" == tip-stop-* ]] ||
    fail "1.5 s after the shutdown time the arm indicator shows ${FACE[tip_apagado]}, not the blinking stop"
}

# Checks that $1 seconds (a decimal) after the shutdown time is about the
# countdown's $COUNTDOWN_SECONDS; $2 names what came then.
expect_after_countdown() {
  awk -v d="$1" -v n="$COUNTDOWN_SECONDS" 'BEGIN {exit !(d >= n - 0.5 && d <= n + 2)}' ||
    fail "$2 came ${1}s after the shutdown time, expected about ${COUNTDOWN_SECONDS}s"
}
