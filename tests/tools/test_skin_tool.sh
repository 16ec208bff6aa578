#!/usr/bin/env bash
# vesperon-skin over the fixture skins: check lists every problem and agrees
# with the clock's verdict, init makes a skin that passes and never
# overwrites one, render draws the time asked for, a skin ImageMagick
# compressed is drawn as it was drawn, and so is one imported from PNG.
# Usage: test_skin_tool.sh <vesperon-skin>
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh" "$1"

echo "check: every problem with the size wanted and a fix, and the clock's verdict"
for skin in "$WORK"/fixtures/*; do
  name=$(basename "$skin")
  status=0
  "$TOOL" check "$skin" >"$WORK/out" 2>&1 || status=$?
  problems=$(grep -c '^  [^ ]' "$WORK/out" || true)
  warnings=$(grep -c '^  aviso: ' "$WORK/out" || true)
  fixes=$(grep -c '^    arreglo: ' "$WORK/out" || true)
  # Accepted exactly when nothing but warnings was found; each problem has its fix.
  if [ "$problems" -eq "$warnings" ]; then expected=0; else expected=1; fi
  [ "$status" = "$expected" ] || fail "$name: exit $status with $problems problems ($warnings warnings): $(cat "$WORK/out")"
  [ "$fixes" = $((problems - warnings)) ] || fail "$name: $fixes fixes for $problems problems"
  echo "  $name: exit $status, $problems problems"
  case "$name" in
    Completo) [ "$problems" = 0 ] || fail "Completo: $(cat "$WORK/out")" ;;
    Mayusculas)
      [ "$status" = 0 ] || fail "mixed-case names refused"
      grep -qxF "  aviso: tip-ok-off.bmp está repetido con otras mayúsculas (TIP-OK-OFF.BMP); se usa tip-ok-off.bmp" "$WORK/out" ||
        fail "no warning about the case duplicate: $(cat "$WORK/out")" ;;
    CabeceraFalsa)
      grep -qxF "  skin-base.bmp: mide 4000 × 4000 píxeles y debe medir 171 × 128" "$WORK/out" ||
        fail "a picture beyond the bounds is no wrong size: $(cat "$WORK/out")" ;;
    TodoMal)
      diff <(grep '^  ' "$WORK/out") - <<'LINES' || fail "TodoMal: the problems differ"
  3.bmp: falta; debe ser un mapa de bits (.bmp) de 10 × 17 píxeles
    arreglo: añade 3.bmp, de 10 × 17 píxeles
  dos_puntos.bmp: mide 5 × 20 píxeles y debe medir 5 × 21
    arreglo: redimensiónalo a 5 × 21 píxeles, o escálalo con vesperon-skin import --fit
  menu-left.bmp: no se puede leer (la cabecera está dañada); debe ser un mapa de bits (.bmp) de 16 × 171 píxeles
    arreglo: guárdalo de nuevo como BMP de 24 bits, o impórtalo de un PNG con vesperon-skin import
  tip-stop-on.bmp: mide 50 × 9 píxeles y debe medir 49 × 9
    arreglo: redimensiónalo a 49 × 9 píxeles, o escálalo con vesperon-skin import --fit
  tray1.ico: falta; debe ser un icono (.ico)
    arreglo: añade tray1.ico; vesperon-skin import lo hace de un PNG
LINES
      ;;
    Vacio) [ "$problems" = 24 ] || fail "an empty folder lacks 24 files, said $problems" ;;
  esac
done
"$TOOL" check "$WORK/nowhere" >/dev/null 2>&1 && fail "a missing folder passed the check"

echo "init: a template that passes, and nothing overwritten"
"$TOOL" init "$WORK/Mi Skin" >/dev/null
"$TOOL" check "$WORK/Mi Skin" >/dev/null || fail "the template does not pass the check"
grep -q '^name=Mi Skin' "$WORK/Mi Skin/skin.ini" || fail "the template's skin.ini does not name it"
echo "hand-made" >"$WORK/Mi Skin/skin.ini"
before=$(cd "$WORK/Mi Skin" && cat ./* | md5sum)
"$TOOL" init "$WORK/Mi Skin" >/dev/null 2>&1 && fail "init over an existing skin succeeded"
[ "$(cd "$WORK/Mi Skin" && cat ./* | md5sum)" = "$before" ] || fail "init changed an existing skin"

echo "render: the time asked for, in the skin's digits"
"$TOOL" render "$WORK/fixtures/Completo" --time 21:05:39 --armed "$WORK/face.png"
/usr/bin/convert "$WORK/face.png" "$WORK/face.ppm"
declare -A FACE=()
while read -r key value; do FACE[$key]=$value; done < <(/usr/bin/python3 "$ROOT/tests/e2e/face.py" "$WORK/face.ppm" "$ROOT/resources")
[ "${FACE[digits]}" = 210539 ] || fail "render shows ${FACE[digits]}, asked for 210539"
[ "${FACE[tip_apagado]}" = tip-apagado-on ] || fail "--armed shows ${FACE[tip_apagado]}"
[ "${FACE[message]}" = background ] || fail "a message was drawn though none was asked for"
"$TOOL" render "$WORK/fixtures/Falta6" --time 21:05:39 "$WORK/no.png" 2>/dev/null && fail "render drew a skin the clock refuses"

# Same pixels in two renders: the number of differing ones is 0.
same_render() {
  "$TOOL" render "$1" --time 21:05:39 --armed "$WORK/a.png" || fail "render refused $1"
  "$TOOL" render "$2" --time 21:05:39 --armed "$WORK/b.png" || fail "render refused $2"
  /usr/bin/compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>/dev/null ||
    fail "$(basename "$1") is drawn unlike $(basename "$2")"
}

echo "RLE: skins that ImageMagick compresses, whose rows run into their padding, are drawn as drawn"
# Its own 256 colours as they are, and 16 (ImageMagick writes both as 8-bit
# RLE; the 16 are compared with the same pictures as 4-bit plain bitmaps).
for colours in 256 16; do
  rle="$WORK/RLE$colours" plain="$WORK/Plano$colours"
  cp -r "$WORK/fixtures/Completo" "$rle"
  cp -r "$WORK/fixtures/Completo" "$plain"
  for picture in "$WORK"/fixtures/Completo/*.bmp; do
    name=$(basename "$picture")
    /usr/bin/convert "$picture" +dither -colors "$colours" -type palette \
      \( +clone -compress RLE -write "BMP3:$rle/$name" +delete \) "BMP3:$plain/$name"
  done
  [ "$(/usr/bin/identify -format %C "$rle/skin-base.bmp")" = RLE ] || fail "ImageMagick wrote no RLE"
  "$TOOL" check "$rle" >"$WORK/out" 2>&1 || fail "RLE$colours refused: $(cat "$WORK/out")"
  same_render "$rle" "$plain"
done
same_render "$WORK/RLE256" "$WORK/fixtures/Completo"

echo "import: a skin drawn in PNG (a GIF among them) becomes a skin that checks clean and is drawn alike"
mkdir "$WORK/dibujos"
for picture in "$WORK"/fixtures/Completo/*; do
  name=$(basename "$picture")
  format=png
  [ "$name" = 7.bmp ] && format=gif
  /usr/bin/convert "$picture" "$format:$WORK/dibujos/${name%.*}.$format"
done
"$TOOL" import "$WORK/dibujos" "$WORK/Importado" --name "Azul importado" --author Ana \
  --description "De prueba" >"$WORK/out" 2>&1 || fail "import failed: $(cat "$WORK/out")"
[ "$(grep -c '^  ' "$WORK/out" || true)" = 0 ] || fail "the imported skin has problems: $(cat "$WORK/out")"
[ "$(cd "$WORK/Importado" && ls | tr '\n' ' ')" = "$( (cd "$WORK/fixtures/Completo" && ls; echo skin.ini) | sort | tr '\n' ' ')" ] ||
  fail "the imported skin's files: $(ls "$WORK/Importado")"
[ "$(od -An -tu2 -j28 -N2 "$WORK/Importado/skin-base.bmp" | tr -d ' ')" = 24 ] || fail "skin-base.bmp is no 24-bit bitmap"
[ "$(/usr/bin/identify -format '%wx%h ' "$WORK/Importado/tray1.ico")" = "16x16 32x32 " ] ||
  fail "tray1.ico holds $(/usr/bin/identify -format '%wx%h ' "$WORK/Importado/tray1.ico")"
grep -q '^name=Azul importado' "$WORK/Importado/skin.ini" && grep -q '^name=Ana' "$WORK/Importado/skin.ini" ||
  fail "skin.ini: $(cat "$WORK/Importado/skin.ini")"
same_render "$WORK/Importado" "$WORK/fixtures/Completo"
# A picture of another size is refused by name and the size it must have,
# and nothing is written; --fit scales it.
/usr/bin/convert "$WORK/dibujos/9.png" -scale '12x17!' "$WORK/dibujos/9.png"
"$TOOL" import "$WORK/dibujos" "$WORK/Otro" >"$WORK/out" 2>&1 && fail "a 12 x 17 digit was imported"
grep -qF "9.png: mide 12 × 17 píxeles y debe medir 10 × 17" "$WORK/out" || fail "the refusal: $(cat "$WORK/out")"
[ ! -e "$WORK/Otro" ] || fail "a refused import wrote something"
"$TOOL" import "$WORK/dibujos" "$WORK/Otro" --fit >/dev/null || fail "--fit did not import"
"$TOOL" render "$WORK/fixtures/Completo" --time 25:00:00 "$WORK/no.png" 2>/dev/null && fail "render took 25:00:00"
echo "PASS"
