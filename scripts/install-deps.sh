#!/usr/bin/env bash
# Installs the Debian packages Vesperon needs to build, run and test.
# Works as root and through sudo; installs only what is missing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libpulse-dev
  libgtest-dev libgmock-dev libxcb1-dev libxcb-xfixes0-dev
  # vesperon-skin install reads zip archives
  libarchive-dev
  # fuzzing the picture and profile readers
  clang libclang-rt-14-dev libfuzzer-14-dev
  # tests: a session manager speaking XSMP
  libsm-dev
  # run
  qt6-qpa-plugins fonts-dejavu-core xvfb xauth
  # tests: the real window, screenshots, a mock logind on a private bus
  xdotool x11-utils x11-apps imagemagick wmctrl dbus python3-dbusmock
  # tests: the melodies played into a private sound server and recorded
  pulseaudio pulseaudio-utils
  # the Debian package and its checks
  dpkg-dev file lintian desktop-file-utils appstream man-db
  # tests: real trays, a window manager, a stand-in StatusNotifierWatcher
  openbox trayer python3-gi
  # tests: the random walk moves the clock's time and drives X by XTest
  libfaketime libxtst6
  # tests: the clock read over AT-SPI, as a screen reader reads it
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  # running on Wayland, and its tests in a headless Wayland session
  qt6-wayland weston xwayland
  # the Windows build, its tests under Wine, and its zip
  g++-mingw-w64-x86-64-posix mingw-w64-tools googletest wine wine64 zip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
