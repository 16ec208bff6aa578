#!/usr/bin/env bash
# The desktop entry, the AppStream metadata and the manual page, as the
# distribution's own checkers see them.
# Usage: test_validators.sh <source folder> <build folder>
set -euo pipefail
source_dir=$1
build_dir=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

echo "desktop entry"
said=$(desktop-file-validate "$source_dir/packaging/vesperon.desktop" 2>&1) ||
  fail "desktop-file-validate refuses it: $said"
[ -z "$said" ] || fail "desktop-file-validate has something to say: $said"

echo "AppStream metadata"
# One finding is let through, as information: the id is not a reverse domain
# name, as the project has no domain of its own to make one from.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$build_dir/packaging/vesperon.metainfo.xml" || fail "appstreamcli refuses the metadata"

echo "manual pages"
for page in vesperon.1 vesperon-skin.1; do
  said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$build_dir/packaging/$page" 2>&1 >/dev/null) ||
    fail "man cannot format $page: $said"
  [ -z "$said" ] || fail "man --warnings has something to say about $page: $said"
done
echo "PASS"
