#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh -DVESPERON_BUILD_TESTS=ON -DVESPERON_WERROR=ON
# No test may reach the machine's power-off: adapters under test get a
# private bus or the dry run, and nothing here sees the real system bus.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/vesperon-tests
# Two minutes of fuzzing in all, shared by the readers of files that come
# from outside.
./tests/fuzz/run.sh 120
ctest --test-dir build --output-on-failure --timeout 300 -j 2

# The Windows tree: the core's tests and the Win32 adapters' under Wine, in
# the build's own Wine prefix, whose server is ended when they are done.
./scripts/build-windows.sh -DVESPERON_BUILD_TESTS=ON -DVESPERON_WERROR=ON
wine_prefix="$PWD/build-win/wine-prefix"
trap 'WINEPREFIX="$wine_prefix" wineserver -k 2>/dev/null || true' EXIT
# Wine starts before the tests, so that no test pays for it.
cmake/run-under-wine.sh "$wine_prefix" cmd /c exit
ctest --test-dir build-win --output-on-failure --timeout 300 -j 2
