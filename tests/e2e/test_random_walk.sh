#!/usr/bin/env bash
# A seeded random walk over the whole clock (random_walk.py): 300 things a
# user can do, drawn at random, with the program's invariants checked after
# each. The dry run is off: logind is the checked mock on a private system
# bus, and a mock notification server takes the countdown's notices.
# The seed is printed; WALK_SEED=N replays that walk (also through ctest),
# WALK_ACTIONS=N sets its length (tools/bench/random_walk.sh runs long ones).
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_openbox
start_trayer
use_mock_logind_bus
use_mock_notifications_bus
# No sound server: the melodies find none, as on a desktop without one.
export PULSE_SERVER=unix:/nonexistent/vesperon-e2e-pulse

export WALK_WORK=$WORK WALK_INI=$INI WALK_LOGIND_LOG=$MOCK_LOG WALK_NOTIFY_LOG=$NOTIFY_LOG \
  WALK_MOCK_BUS=$MOCK_BUS_ADDRESS
"$PYTHON" "$E2E_DIR/random_walk.py" "$VESPERON" --actions "${WALK_ACTIONS:-300}" \
  ${WALK_SEED:+--seed "$WALK_SEED"} ${VESPERON_SHOTS_DIR:+--shots "$VESPERON_SHOTS_DIR"} ||
  fail "the random walk found a fault (above)"
echo "PASS"
