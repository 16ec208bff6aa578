#!/usr/bin/env bash
# Runs every benchmark and prints their tables.
#   tools/bench/run_all.sh [--vesperon PATH] [--runs N] [--idle-seconds S]
# --idle-seconds goes to the idle benchmark only (default 60 s per run).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

common=()
idle=()
while [ $# -gt 0 ]; do
  case "$1" in
    --vesperon | --runs | --skin) common+=("$1" "$2"); shift 2 ;;
    --idle-seconds) idle=("$1" "$2"); shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

/usr/bin/python3 "$here/startup.py" "${common[@]}"
/usr/bin/python3 "$here/idle.py" "${common[@]}" "${idle[@]}"
/usr/bin/python3 "$here/shutdown_latency.py" "${common[@]}"
