#!/usr/bin/env bash
# Installs what is needed, builds in Release with Debian's hardening flags into
# ./build-package and makes the Debian package, vesperon_<version>_<arch>.deb,
# at the top of the repository. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

# The compiler and linker flags Debian builds its own packages with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESPERON_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
cmake --build build-package
rm -f build-package/packages/vesperon_*.deb
cpack --config build-package/CPackConfig.cmake -B build-package/packages >/dev/null

deb=$(find build-package/packages -maxdepth 1 -name 'vesperon_*.deb' | head -n1)
[ -n "$deb" ] || { echo "cpack made no package" >&2; exit 1; }
mv -f "$deb" .
echo "Made $(basename "$deb"). Install it with: sudo apt install ./$(basename "$deb")"
