#!/usr/bin/env bash
# Installs what is needed, builds the Windows tree into ./build-win with
# MinGW-w64 (the program, and with -DVESPERON_BUILD_TESTS=ON the tests that
# ./scripts/test.sh runs under Wine), and makes
# dist/vesperon-<version>-win64.zip: the program, the sample skins in
# Skins\, the licence and a short README. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVESPERON_BUILD_TESTS=OFF "$@" >/dev/null
cmake --build build-win

version=$(sed -n 's/^project(Vesperon VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="vesperon-$version"
stage="build-win/dist/$name"
rm -rf build-win/dist
mkdir -p "$stage" dist
# Without its symbols the program is a third of the size; the build keeps them.
x86_64-w64-mingw32-strip -o "$stage/vesperon.exe" build-win/vesperon.exe
cp -r skins "$stage/Skins"
# Notepad's line ends.
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
# Same files, same zip: no extra attributes, times of the sources' commit.
stamp=$(git log -1 --format=%cd --date=format:%Y%m%d%H%M.%S 2>/dev/null || date +%Y%m%d%H%M.%S)
find "$stage" -exec touch -h -t "$stamp" {} +
rm -f "dist/$name-win64.zip"
(cd build-win/dist && find "$name" | LC_ALL=C sort | zip -q -X -D "../../dist/$name-win64.zip" -@)
echo "dist/$name-win64.zip"
