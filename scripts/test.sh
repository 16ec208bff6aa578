#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh -DVESPERON_BUILD_TESTS=ON -DVESPERON_WERROR=ON
# No test may reach the machine's power-off: adapters under test get a
# private bus or the dry run, and nothing here sees the real system bus.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/vesperon-tests
# A minute of fuzzing for each reader of files that come from outside.
./tests/fuzz/run.sh 60
ctest --test-dir build --output-on-failure --timeout 300 -j 2
