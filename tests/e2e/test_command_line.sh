#!/usr/bin/env bash
# --version and --help answer without a display, without a setting or the
# single-copy lock, even beside a running clock; an answer that cannot be
# written is an error.
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

# Runs the program with no display at all; sets OUT, ERR and STATUS.
run_headless() {
  STATUS=0
  env -u DISPLAY -u WAYLAND_DISPLAY "$VESPERON" "$@" >"$WORK/answer.out" 2>"$WORK/answer.err" ||
    STATUS=$?
  OUT=$(cat "$WORK/answer.out")
  ERR=$(cat "$WORK/answer.err")
}

echo "--version on a fresh profile, no display"
run_headless --version
[ "$STATUS" = 0 ] || fail "--version ended with status $STATUS: $ERR"
[ "$OUT" = "Vesperon 1.0.10" ] || fail "--version printed '$OUT'"
[ -z "$ERR" ] || fail "--version wrote to standard error: $ERR"

echo "--help"
run_headless --help
[ "$STATUS" = 0 ] || fail "--help ended with status $STATUS: $ERR"
for mention in "Usage: vesperon" /autostart /debugskin VESPERON_DRY_RUN=1 Vesperon.ini; do
  grep -qF -- "$mention" <<<"$OUT" || fail "--help does not mention $mention"
done
[ -z "$ERR" ] || fail "--help wrote to standard error: $ERR"

# Nothing of the clock ran: no settings, no autostart entry, no lock file.
leftovers=$(find "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME" -mindepth 1)
[ -z "$leftovers" ] || fail "the answers left files behind: $leftovers"
note "both answered with status 0 and touched no file"

echo "beside a running clock"
start_xvfb
start_vesperon
wait_window "$VPID"
run_headless --version
[ "$STATUS" = 0 ] && [ "$OUT" = "Vesperon 1.0.10" ] ||
  fail "--version beside a clock: status $STATUS, '$OUT'"
note "answered all the same"

echo "an answer that cannot be written"
STATUS=0
env -u DISPLAY "$VESPERON" --version >/dev/full 2>"$WORK/full.err" || STATUS=$?
[ "$STATUS" != 0 ] || fail "--version into a full disk ended with status 0"
grep -q "cannot write" "$WORK/full.err" || fail "no word of the failed write: $(cat "$WORK/full.err")"
note "status $STATUS: $(cat "$WORK/full.err")"
echo "PASS"
