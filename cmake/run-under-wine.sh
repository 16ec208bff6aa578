#!/usr/bin/env bash
# Runs a Windows program under Wine: run-under-wine.sh PREFIX PROGRAM [ARGS...]
#
# The prefix is made on first use, with the null graphics driver. Wine's
# server, its services and its desktop are started here, detached from the
# program's output, so that a test runner reading that output does not wait
# for them, and kept for the programs that follow, so that each does not pay
# seconds for starting them again. They end a minute after the last program,
# ten minutes at the latest; `WINEPREFIX=PREFIX wineserver -k` ends them now.
set -euo pipefail
prefix=$(realpath -m "$1")
shift

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No prompt to install .NET or Gecko, which nothing here needs, and no menu
# entries for the desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

loader=$(command -v wine64 || true)
for candidate in /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64; do
  [ -n "$loader" ] && break
  [ -x "$candidate" ] && loader=$candidate
done
[ -n "$loader" ] || { echo "run-under-wine.sh: no wine64 found" >&2; exit 127; }

# Runs a command with no descriptor of ours. What it leaves running (Wine's
# server, its services, the desktop) then holds no pipe that a test runner
# waits on, nor the lock below.
quiet() {
  (
    for fd in /proc/self/fd/*; do
      fd=${fd##*/}
      [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done
    exec "$@" </dev/null >/dev/null 2>&1
  )
}

mkdir -p "$prefix"
{
  flock 9
  # Status 0: a new server, so the session is started now; 2: one runs.
  if quiet wineserver -p60; then
    if [ ! -e "$prefix/.vesperon-prefix" ]; then
      quiet "$loader" wineboot --init
      # Windows made here are drawn nowhere: the programs need no display,
      # and never touch the one the user may have. The desktop that making
      # the prefix opened has the other driver: the session starts again.
      quiet "$loader" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
      quiet wineserver -k || true
      quiet wineserver -w || true
      quiet wineserver -p60
      touch "$prefix/.vesperon-prefix"
    fi
    quiet "$loader" wineboot --init
    # Wine's desktop closes a second after the last program with windows
    # ends, and takes seconds to open again; a program left open keeps it.
    quiet setsid -f timeout 600 "$loader" notepad.exe
  fi
} 9>"$prefix.lock"

exec "$loader" "$@"
