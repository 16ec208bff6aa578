#!/usr/bin/env bash
# vesperon-skin install: a skin's zip installs into the user's Skins folder
# and the clock takes it; hostile zips are refused with nothing written
# anywhere.
# Usage: test_skin_install.sh <vesperon-skin>
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"
export XDG_DATA_HOME="$WORK/data"
SKINS="$XDG_DATA_HOME/vesperon/Skins"

/usr/bin/python3 "$ROOT/tests/fixtures/make_zips.py" "$WORK/fixtures/Completo" "$WORK/zips" \
  "$WORK/escaped"

echo "hostile zips are refused, and nothing is written anywhere"
# A bomb must stop at the bound while it is read: neither the gigabyte nor a
# file of it may fit in what the tool is given here.
listing() { (cd "$WORK" && find . ! -path ./out | sort); }
before=$(listing)
for zip in Subir Absoluto Enlace Bomba Muchos Cortado; do
  status=0
  (ulimit -v 300000 -f 8192 && exec timeout 20 "$TOOL" install "$WORK/zips/$zip.zip") \
    >"$WORK/out" 2>&1 || status=$?
  [ "$status" = 1 ] || fail "$zip: exit $status: $(cat "$WORK/out")"
  [ "$(listing)" = "$before" ] || fail "$zip wrote something"
  echo "  $zip: $(tail -n1 "$WORK/out" | sed 's/.*no se instala: //')"
done
[ -e /etc/passwd ] && [ ! -L /etc ] || fail "/etc was touched"

echo "a good zip installs under its top folder's name, and the clock takes it"
"$TOOL" install "$WORK/zips/Bueno.zip" >"$WORK/out" || fail "$(cat "$WORK/out")"
grep -qxF "Se deja fuera Azul Noche/notas.txt: no es un archivo del skin" "$WORK/out" ||
  fail "the notes file was not listed as left out: $(cat "$WORK/out")"
[ "$(ls -A "$SKINS")" = "Azul Noche" ] || fail "Skins holds: $(ls -A "$SKINS")"
[ "$(ls "$SKINS/Azul Noche")" = "$(ls "$WORK/fixtures/Completo")" ] ||
  fail "the installed skin is not the skin's files"
"$TOOL" check "$SKINS/Azul Noche" >/dev/null || fail "the clock refuses the installed skin"

echo "an installed skin is replaced only with --force"
touch "$SKINS/Azul Noche/mio.txt"
"$TOOL" install "$WORK/zips/Bueno.zip" >"$WORK/out" 2>&1 && fail "installed over an existing skin"
[ -e "$SKINS/Azul Noche/mio.txt" ] || fail "the refused install changed the existing skin"
"$TOOL" install --force "$WORK/zips/Bueno.zip" >/dev/null || fail "--force did not install"
[ ! -e "$SKINS/Azul Noche/mio.txt" ] || fail "--force kept the old skin's files"
[ "$(ls -A "$SKINS")" = "Azul Noche" ] || fail "Skins holds: $(ls -A "$SKINS")"

echo "files at the top of the zip: the skin is named after the zip"
"$TOOL" install "$WORK/zips/Suelto.zip" >/dev/null || fail "Suelto.zip was not installed"
"$TOOL" check "$SKINS/Suelto" >/dev/null || fail "the clock refuses Suelto"
echo "PASS"
