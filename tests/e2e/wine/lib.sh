# shellcheck shell=bash disable=SC2034  # the variables are for the scripts
# The Windows program under Wine on the private X server of ../lib.sh: a
# Wine prefix of its own with the X11 driver (the unit tests' prefix draws
# nowhere), the program's settings reset in the registry before each run,
# and Wine's server ended with the script.
#
# Usage from a script:  source "$(dirname "$0")/lib.sh" "$1"   ($1: vesperon.exe)

# shellcheck source=../lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh" "$1"

WINE64=$(command -v wine64 || true)
for candidate in /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
  [ -n "$WINE64" ] && break
  [ -x "$candidate" ] && WINE64=$candidate
done
[ -n "$WINE64" ] || fail "no wine64 found"

export WINEPREFIX="$(dirname "$VESPERON")/wine-prefix-e2e"
export WINEARCH=win64 WINEDEBUG=-all
# No prompt to install .NET or Gecko, no menu entries for the desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
SETTINGS_KEY='HKCU\Software\VB and VBA Program Settings\Vesperon'
# Where the program's diagnostic log goes when it has no standard error.
WINE_LOG="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Vesperon/vesperon.log"

WINESERVER="$(dirname "$WINE64")/wineserver"
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver) || fail "no wineserver found"

# Wine's server ends with the script, and with it every Windows process.
trap '"$WINESERVER" -k 2>/dev/null || true; cleanup' EXIT

# Makes the prefix once (about ten seconds), on the X server of this script.
make_wine_prefix() {
  {
    flock 9
    if [ ! -e "$WINEPREFIX/.vesperon-e2e-prefix" ]; then
      rm -rf "$WINEPREFIX"
      "$WINE64" wineboot --init >"$WORK/wineboot.log" 2>&1 || fail "wineboot failed: $(cat "$WORK/wineboot.log")"
      "$WINESERVER" -w
      touch "$WINEPREFIX/.vesperon-e2e-prefix"
    fi
  } 9>"$WINEPREFIX.lock"
}

# Registry text ($1, lines of a .reg file) imported after the program's
# settings and its start entry have been removed; starts Wine's server.
reset_settings() {
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Vesperon]\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"Vesperon"=-\r\n\r\n'
    # The user's own time and date formats, as the regional settings keep
    # them: 24-hour, as the face is read against `date`; day/month/year.
    printf '[HKEY_CURRENT_USER\\Control Panel\\International]\r\n'
    printf '"sTimeFormat"="HH:mm:ss"\r\n"sShortDate"="dd/MM/yyyy"\r\n\r\n'
    printf '%s\r\n' "${1:-}"
  } >"$WORK/settings.reg"
  rm -f "$WINE_LOG"
  "$WINE64" reg import "$(winepath_of "$WORK/settings.reg")" >"$WORK/reg.log" 2>&1 ||
    fail "could not reset the settings: $(cat "$WORK/reg.log")"
}

winepath_of() { echo "Z:${1//\//\\}"; }

# One value of the program's settings, or nothing.
setting() {
  "$WINE64" reg query "$SETTINGS_KEY\\$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v key="$2" '$1 == key && $2 == "REG_SZ" { sub(/^[ \t]*[^ \t]+[ \t]+REG_SZ[ \t]*/, ""); print; exit }'
}

expect_setting() {
  local value
  value=$(setting "$1" "$2")
  [ "$value" = "$3" ] || fail "setting $1\\$2 is '$value', expected '$3'"
}

# Starts the program under Wine with any arguments; sets VPID (the Windows
# process's own, which its X windows carry). Output as with start_vesperon.
start_wine_vesperon() {
  [ "${VESPERON_DRY_RUN:-}" = 1 ] || fail "refusing to start: no dry run"
  VSTARTS=$((VSTARTS + 1))
  VLOG="$WORK/vesperon-$VSTARTS"
  "$WINE64" "$VESPERON" "$@" >"$VLOG.out" 2>"$VLOG.err" &
  VPID=$!
  track "$VPID"
}

# Waits (max $1 s) for the icon docked in trayer: a small window of Wine's
# explorer inside the panel at the bottom; sets ICON_X and ICON_Y to its
# middle.
wait_wine_tray_icon() {
  local line
  poll "$1" eval 'line=$(xwininfo -root -tree | grep -F "(\"explorer.exe\" \"explorer.exe\")" |
      awk "{ split(\$(NF-1), s, \"[x+]\"); split(\$NF, a, \"+\");
             if (s[1] > 4 && s[1] <= 40 && s[2] > 4 && s[2] <= 40 && a[3] >= 700) print }" |
      head -n1); [ -n "$line" ]' || fail "no icon docked in the tray within $1 s"
  read -r ICON_X ICON_Y < <(awk '{ split($(NF-1), size, "[x+]"); split($NF, at, "+");
    print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2) }' <<<"$line")
}

# Saves window $1 (or the whole screen with "root") as $2.png in
# VESPERON_SHOTS_DIR, when it is set.
shot() {
  [ -n "${VESPERON_SHOTS_DIR:-}" ] || return 0
  mkdir -p "$VESPERON_SHOTS_DIR"
  if [ "$1" = root ]; then
    import -window root "$VESPERON_SHOTS_DIR/$2.png"
  else
    xwd -silent -id "$1" | "$CONVERT" xwd:- "$VESPERON_SHOTS_DIR/$2.png"
  fi
}
