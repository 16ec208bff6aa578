#!/usr/bin/env bash
# The Debian package made from this build, installed and run as a user gets
# it: its name and fields, lintian, an install and a removal with dpkg, and
# the installed program started from /usr/bin, whose autostart entry points at
# it and whose window groups with its desktop entry.
#
# dpkg installs into a scratch root, never into this machine, and the script
# runs in a mount namespace of its own in which that root's /usr lies over
# the real one: /usr/bin/vesperon is the installed program for this script
# and nowhere else. Needs root (dpkg, the namespace).
# Usage: test_package.sh <build folder>
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: installing into a mount namespace needs root"
  exit 77
fi
if [ -z "${VESPERON_PACKAGE_NAMESPACE:-}" ]; then
  exec env VESPERON_PACKAGE_NAMESPACE=1 unshare --mount --propagation private bash "$0" "$@"
fi

BUILD=$(cd "${1:?usage: $0 <build folder>}" && pwd)
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh" "$BUILD/vesperon"

echo "the package"
cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/package" >"$WORK/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$WORK/cpack.log")"
DEB=$WORK/package/vesperon_1.0.10_$(dpkg --print-architecture).deb
[ -f "$DEB" ] || fail "no $(basename "$DEB"): $(ls "$WORK/package")"
depends=$(dpkg-deb -f "$DEB" Depends)
# Computed from the libraries the program links, not written by hand.
grep -q 'libqt6widgets6 (>= ' <<<"$depends" || fail "Depends does not name the Qt widgets library: $depends"
note "$(basename "$DEB"), $(stat -c %s "$DEB") bytes"
note "Depends: $depends"

echo "lintian"
lintian --fail-on error,warning "$DEB" >"$WORK/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'running with root' "$WORK/lintian.log")"
note "no errors, no warnings"

# Started before the scratch root is laid over /usr, so that nothing that
# lasts runs from it and /usr can be taken off again for the removal.
start_xvfb

echo "dpkg"
# The dependencies against this machine's packages, without installing.
apt-get install --simulate --no-install-recommends -o Debug::NoLocking=1 "$DEB" >"$WORK/apt.log" 2>&1 &&
  grep -q '^Inst vesperon ' "$WORK/apt.log" || fail "apt would not install the package: $(cat "$WORK/apt.log")"
ROOT=$WORK/root
mkdir -p "$ROOT/var/lib/dpkg/info" "$ROOT/var/lib/dpkg/updates"
: >"$ROOT/var/lib/dpkg/status"
# The scratch root holds none of the libraries, which apt has just checked.
dpkg --root="$ROOT" --force-depends -i "$DEB" >"$WORK/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$WORK/dpkg.log")"
dpkg-query --admindir="$ROOT/var/lib/dpkg" -W -f='${Status}' vesperon | grep -q 'install ok installed' ||
  fail "dpkg does not call the package installed"
mount -t overlay overlay -o "lowerdir=$ROOT/usr:/usr" /usr || fail "cannot lay the scratch root's /usr over /usr"
note "installed; /usr/bin/vesperon is the package's program here"

echo "what it installed"
[ "$(/usr/bin/vesperon --version)" = "Vesperon 1.0.10" ] || fail "/usr/bin/vesperon --version: $(/usr/bin/vesperon --version)"
[ "$(man -w vesperon)" = /usr/share/man/man1/vesperon.1.gz ] || fail "man finds $(man -w vesperon 2>&1)"
for icon in /usr/share/icons/hicolor/*/apps/vesperon.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "$icon is not $size"
done
[ "$(find /usr/share/icons/hicolor -name vesperon.png | wc -l)" = 8 ] || fail "not eight icon sizes"
note "--version, the manual page by name, eight icons of their sizes"

echo "the installed program, started as the menu starts it, replaces a build tree's autostart entry"
start_vesperon
wait_window "$VPID"
grep -qx "Exec=$BUILD/vesperon /autostart" "$AUTOSTART_ENTRY" || fail "the build tree's copy wrote: $(cat "$AUTOSTART_ENTRY")"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "the build tree's copy did not end"

menu_command=$(sed -n 's/^Exec=//p' /usr/share/applications/vesperon.desktop)
VESPERON=$(command -v "$menu_command") && [ "$VESPERON" = /usr/bin/vesperon ] ||
  fail "the menu's command '$menu_command' is not /usr/bin/vesperon"
SKIN=""
for folder in /usr/share/vesperon/Skins/*/; do
  # A skin the built-in look could not be mistaken for.
  [ -f "$folder/skin-base.bmp" ] && ! cmp -s "$folder/skin-base.bmp" "$RESOURCES/skin-base.bmp" &&
    { SKIN=$(basename "$folder"); break; }
done
if [ -n "$SKIN" ]; then
  sed -i "s/^Skin=.*/Skin=$SKIN/" "$INI"
  grep -qx "Skin=$SKIN" "$INI" || fail "could not choose the skin $SKIN"
fi
start_vesperon
wait_window "$VPID"
grep -qx "Exec=/usr/bin/vesperon /autostart" "$AUTOSTART_ENTRY" ||
  fail "the installed program left the entry: $(cat "$AUTOSTART_ENTRY")"
said=$(desktop-file-validate "$AUTOSTART_ENTRY" 2>&1) && [ -z "$said" ] ||
  fail "desktop-file-validate on the autostart entry: $said"
note "Exec=/usr/bin/vesperon /autostart, a valid desktop entry"

echo "the window groups with its desktop entry"
class=$(xprop -id "$WID" WM_CLASS | sed -n 's/.*= ".*", "\(.*\)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/vesperon.desktop)
[ -n "$class" ] && [ "$class" = "$startup_class" ] ||
  fail "the window's class is '$class', the desktop entry's StartupWMClass '$startup_class'"
note "WM_CLASS and StartupWMClass are both $class"

echo "the face"
# Drawn from the skin's pictures when one was chosen, else the built-in ones.
[ -z "$SKIN" ] || RESOURCES=/usr/share/vesperon/Skins/$SKIN
look=${SKIN:-the built-in look}
# Once the welcome message has gone, the message line shows the base picture.
poll 5 eval 'read_face "$WID"; [ "${FACE[message]}" = background ]' ||
  fail "the message line does not show the base picture of $look"
[[ ${FACE[digits]} =~ ^[0-9]{6}$ ]] || fail "the digits of $look are not drawn: ${FACE[digits]}"
if [ -n "$SKIN" ]; then
  note "drawn with the installed skin $SKIN: ${FACE[digits]}, on its base picture"
else
  note "the package carries no skins, so no skin was tried: the built-in look, ${FACE[digits]}"
fi
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "the installed program did not end"

echo "started by the autostart entry"
# At login the panel is there: the clock goes into its tray.
start_trayer
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$AUTOSTART_ENTRY")"
VESPERON=${command[0]}
start_vesperon "${command[@]:1}"
# A shown window maps within a fraction of a second.
sleep 2
kill -0 "$VPID" 2>/dev/null || fail "the program ended when started by the autostart entry"
[ -z "$(visible_window_of "$VPID")" ] || fail "started by the autostart entry, the window is on screen"
kill -TERM "$VPID"
wait_exit "$VPID" 5 || fail "the program started by the autostart entry did not end"
note "running, in the tray only"

echo "removal"
# Lazily: umount itself runs from the /usr it takes off.
umount --lazy /usr
[ ! -e /usr/bin/vesperon ] || fail "/usr/bin/vesperon is still there after taking the scratch root off"
dpkg --root="$ROOT" -r vesperon >"$WORK/dpkg-r.log" 2>&1 || fail "dpkg -r: $(cat "$WORK/dpkg-r.log")"
left=$(find "$ROOT" -mindepth 1 -not -path "$ROOT/var" -not -path "$ROOT/var/lib" -not -path "$ROOT/var/lib/dpkg*")
[ -z "$left" ] || fail "dpkg -r left behind: $left"
! dpkg-query --admindir="$ROOT/var/lib/dpkg" -W -f='${Status}' vesperon 2>/dev/null | grep -qx 'install ok installed' ||
  fail "dpkg still calls the package installed"
note "nothing left"
echo "PASS"
