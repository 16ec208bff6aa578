# shellcheck shell=bash disable=SC2034  # the variables are for the scripts
# Shared by the skin tool's scripts: the tool, the source tree, a work folder
# removed at the end, and the fixture skins made in $WORK/fixtures.
#
# Usage from a script:  source "$(dirname "$0")/lib.sh" "$1"   ($1: vesperon-skin)
set -euo pipefail
TOOL=$(readlink -f "${1:?usage: $0 <vesperon-skin>}")
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
WORK=$(mktemp -d "/tmp/vesperon-$(basename "$0" .sh).XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
fail() { echo "FAIL: $*" >&2; exit 1; }

/usr/bin/python3 "$ROOT/tests/fixtures/make_skins.py" "$ROOT/resources" "$WORK/fixtures"
