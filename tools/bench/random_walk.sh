#!/usr/bin/env bash
# The random walk at length: many seeds, or long walks, each through the
# harness of the end-to-end test (tests/e2e/test_random_walk.sh), in a
# session of its own with the checked mock logind.
#   tools/bench/random_walk.sh [--vesperon PATH] [--seeds N] [--actions N] [--first-seed S]
# Defaults: 10 walks of 300 actions, on random seeds. One line per walk;
# a failed walk's whole output is kept, and its seed replays it:
#   WALK_SEED=S bash tests/e2e/test_random_walk.sh build/vesperon
# Exits 1 when any walk failed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)

vesperon=${VESPERON:-$repo/build/vesperon}
seeds=10
actions=300
seed=""
while [ $# -gt 0 ]; do
  case "$1" in
    --vesperon) vesperon=$2; shift 2 ;;
    --seeds) seeds=$2; shift 2 ;;
    --actions) actions=$2; shift 2 ;;
    --first-seed) seed=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[ -x "$vesperon" ] || { echo "$vesperon is not an executable; build it first or pass --vesperon" >&2; exit 2; }

logs=$(mktemp -d /tmp/vesperon-walks.XXXXXX)
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/vesperon-bench
failed=()
for ((n = 0; n < seeds; n++)); do
  walk_seed=${seed:+$((seed + n))}
  walk_seed=${walk_seed:-$((RANDOM * 32768 + RANDOM))}
  log="$logs/walk-$walk_seed.log"
  if WALK_SEED=$walk_seed WALK_ACTIONS=$actions bash "$repo/tests/e2e/test_random_walk.sh" "$vesperon" >"$log" 2>&1; then
    echo "seed $walk_seed: $(grep -h ' actions in ' "$log")"
    rm "$log"
  else
    echo "seed $walk_seed: $(grep -h -m1 '^FAIL: ' "$log")"
    failed+=("$walk_seed")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "${#failed[@]} of $seeds walks failed (seeds ${failed[*]}); their output is in $logs"
  exit 1
fi
rmdir "$logs"
echo "$seeds walks of $actions actions, all green"
