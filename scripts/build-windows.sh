#!/usr/bin/env bash
# Installs what is needed and builds the Windows tree into ./build-win with
# MinGW-w64: the core and the Win32 adapters, and their tests with
# -DVESPERON_BUILD_TESTS=ON (which ./scripts/test.sh runs under Wine). Extra
# arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVESPERON_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build build-win
