#!/usr/bin/env bash
# Installs what is needed, builds and starts the clock. Arguments go to the
# program (for example /autostart). Without a display the clock starts on a
# virtual one (Xvfb) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh -DVESPERON_BUILD_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null; rm -f "$displayfile"' EXIT
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$displayfile")"
  echo "No display found: Vesperon runs on a virtual display (Xvfb) at $DISPLAY."
  echo "Look at it with: DISPLAY=$DISPLAY import -window root shot.png"
fi
./build/vesperon "$@"
