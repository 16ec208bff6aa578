#include "clock_face.h"

#include <string_view>
#include <vector>

#include "canvas.h"
#include "face_theme.h"
#include "palette.h"
#include "pixel_font.h"

namespace artwork {

namespace {

constexpr int kWidth = 171;
constexpr int kHeight = 128;

// The LCD window cut into the face, inside its two-pixel bezel.
const QRect kBezel(12, 29, 148, 56);
const QRect kGlass = kBezel.adjusted(2, 2, -2, -2);

// Brushed metal: a top-to-bottom gradient with streaks along the rows.
QRgb BodyAt(const FaceTheme& t, int x, int y) {
  const QRgb base = Mix(t.bodyTop, t.bodyBottom, y / double(kHeight - 1));
  if (t.grain == 0) return base;
  return Shade(base, Grain(x / 9, y, t.grain) + Grain(x, y, t.grain / 2));
}

// --- seven segments -----------------------------------------------------------
// A digit cell is 10 x 17: two-pixel strokes with bevelled ends, a one-pixel
// margin left and right, and diagonal gaps between the segments.
struct Span {
  int x0, x1, y0, y1;
};
using Segment = std::vector<Span>;

const Segment kSegA = {{2, 7, 0, 0}, {3, 6, 1, 1}};
const Segment kSegB = {{8, 8, 1, 7}, {7, 7, 2, 6}};
const Segment kSegC = {{8, 8, 9, 15}, {7, 7, 10, 14}};
const Segment kSegD = {{3, 6, 15, 15}, {2, 7, 16, 16}};
const Segment kSegE = {{1, 1, 9, 15}, {2, 2, 10, 14}};
const Segment kSegF = {{1, 1, 1, 7}, {2, 2, 2, 6}};
const Segment kSegG = {{3, 6, 7, 7}, {2, 7, 8, 8}, {3, 6, 9, 9}};
const Segment* const kSegments[7] = {&kSegA, &kSegB, &kSegC, &kSegD, &kSegE, &kSegF, &kSegG};

// Which of a..g each digit lights.
constexpr const char* kLit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                  "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};

void DrawSegment(QImage& image, QPoint at, const Segment& segment, QRgb colour) {
  for (const Span& s : segment)
    Fill(image, QRect(QPoint(at.x() + s.x0, at.y() + s.y0), QPoint(at.x() + s.x1, at.y() + s.y1)),
         colour);
}

// digit < 0 draws the all-unlit cell.
void DrawDigit(const FaceTheme& t, QImage& image, QPoint at, int digit) {
  for (int i = 0; i < 7; ++i) {
    const bool lit =
        digit >= 0 && std::string_view(kLit[digit]).find(char('a' + i)) != std::string_view::npos;
    DrawSegment(image, at, *kSegments[i], lit ? t.lcdLit : t.segmentGhost);
  }
}

// Round dots: full centre cross, corners half lit.
void DrawColon(const FaceTheme& t, QImage& image, QPoint at, QRgb colour) {
  const QRgb corner = Mix(t.lcdGlass, colour, 0.45);
  for (int dotTop : {5, 13}) {
    const QPoint o(at.x() + 1, at.y() + dotTop);
    Fill(image, QRect(o, QSize(3, 3)), colour);
    for (QPoint c : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)})
      Put(image, o.x() + c.x(), o.y() + c.y(), corner);
  }
}

// --- indicators ---------------------------------------------------------------
enum class Lamp { Dim, Lit, Inverted };

QImage Indicator(const FaceTheme& t, int width, std::string_view text, Lamp lamp) {
  QImage image = NewCanvas(width, 9, t.lcdGlass);
  const QRect frame(0, 0, width, 9);
  const QRgb frameColour = lamp == Lamp::Dim ? Mix(t.lcdGlass, t.lcdLit, 0.18) : t.lcdLit;
  const QRgb textColour = lamp == Lamp::Dim   ? Mix(t.lcdGlass, t.lcdLit, 0.34)
                          : lamp == Lamp::Lit ? t.lcdLit
                                              : t.lcdGlass;
  if (lamp != Lamp::Dim)
    Fill(image, frame.adjusted(1, 1, -1, -1),
         lamp == Lamp::Lit ? Mix(t.lcdGlass, t.lcdLit, 0.10) : t.lcdLit);
  RoundedBorder(image, frame, frameColour);
  const int textLeft = (width - TextWidth(Font::Small, text)) / 2;
  DrawText(image, QPoint(textLeft, 2), Font::Small, text, textColour);
  return image;
}

// --- keys ---------------------------------------------------------------------
// A raised key filling `rect`, with a one-pixel drop shadow below it; the
// corners stay body so the key looks rounded.
void DrawKey(const FaceTheme& t, QImage& image, const QRect& rect) {
  for (int x = rect.left() + 1; x <= rect.right(); ++x)
    Put(image, x, rect.bottom() + 1, Shade(BodyAt(t, x, rect.bottom() + 1), -16));
  for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
    const double f = (y - rect.top()) / double(rect.height() - 1);
    HLine(image, rect.left() + 1, rect.right() - 1, y, Mix(t.keyTop, t.keyBottom, f));
  }
  RoundedBorder(image, rect, t.outline);
  HLine(image, rect.left() + 1, rect.right() - 1, rect.top() + 1, t.keyHighlight);
  VLine(image, rect.left() + 1, rect.top() + 2, rect.bottom() - 2,
        Mix(t.keyHighlight, t.keyTop, 0.5));
  HLine(image, rect.left() + 2, rect.right() - 1, rect.bottom() - 1, t.keyShade);
  VLine(image, rect.right() - 1, rect.top() + 2, rect.bottom() - 1,
        Mix(t.keyShade, t.keyBottom, 0.5));
}

// A symbol centred on a key; on the big keys it gets a dark shadow under it.
void DrawKeySymbol(const FaceTheme& t, QImage& image, const QRect& rect,
                   std::initializer_list<const char*> rows, QRgb colour) {
  const bool bigKey = rect.height() > 10;
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(std::string_view(*rows.begin()).size());
  const QPoint at(rect.left() + (rect.width() - width + 1) / 2,
                  rect.top() + (rect.height() - height) / 2);
  if (bigKey) DrawArt(image, at + QPoint(0, 1), rows, {{'#', t.keySymbolShadow}});
  DrawArt(image, at, rows, {{'#', colour}});
}

// The keys, each with its symbol in the colour it takes from the theme.
struct FaceKey {
  QRect rect;
  std::initializer_list<const char*> symbol;
  QRgb FaceTheme::*colour;
};

// clang-format off
const FaceKey kFaceKeys[] = {
  {slot::kMinimize, {"....",
                     "....",
                     "....",
                     "####"}, &FaceTheme::keySymbol},
  {slot::kMenu, {"####",
                 "....",
                 "####",
                 "....",
                 "####"}, &FaceTheme::keySymbol},
  {slot::kClose, {"#...#",
                  ".#.#.",
                  "..#..",
                  ".#.#.",
                  "#...#"}, &FaceTheme::closeSymbol},
  {slot::kNextField, {"#.....##",
                      "##....##",
                      "###...##",
                      "####..##",
                      "#####.##",
                      "####..##",
                      "###...##",
                      "##....##",
                      "#.....##"}, &FaceTheme::keySymbol},
  {slot::kMinus, {"########",
                  "########"}, &FaceTheme::keySymbol},
  {slot::kPlus, {"...##...",
                 "...##...",
                 "...##...",
                 "########",
                 "########",
                 "...##...",
                 "...##...",
                 "...##..."}, &FaceTheme::keySymbol},
  {slot::kAbout, {".####.",
                  "##..##",
                  "....##",
                  "...##.",
                  "..##..",
                  "..##..",
                  "......",
                  "..##..",
                  "..##.."}, &FaceTheme::keySymbol},
};
// clang-format on

void DrawFaceKeys(const FaceTheme& t, QImage& image) {
  for (const FaceKey& key : kFaceKeys) {
    DrawKey(t, image, key.rect);
    DrawKeySymbol(t, image, key.rect, key.symbol, t.*key.colour);
  }
}

// --- the face -----------------------------------------------------------------
void DrawBody(const FaceTheme& t, QImage& image) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) Put(image, x, y, BodyAt(t, x, y));
  if (t.stars) {
    // Sparse, and only where nothing else will be drawn: the strip under
    // the LCD window and the margins.
    for (int y = 86; y < kHeight - 3; ++y)
      for (int x = 3; x < kWidth - 3; ++x)
        if (Grain(x * 7, y * 13, 60) == 60)
          Put(image, x, y, Mix(BodyAt(t, x, y), t.engraving, 0.6));
  }
  HLine(image, 1, kWidth - 2, 1, t.edgeLight);
  VLine(image, 1, 2, kHeight - 3, Mix(t.edgeLight, t.bodyTop, 0.4));
  HLine(image, 2, kWidth - 2, kHeight - 2, t.edgeShadow);
  VLine(image, kWidth - 2, 2, kHeight - 2, t.edgeShadow);
  Border(image, QRect(0, 0, kWidth, kHeight), t.outline);
}

void DrawEngravings(const FaceTheme& t, QImage& image) {
  // The name plate, top left, with the power mark.
  DrawText(image, QPoint(9, 7), Font::Small, "@", t.mark);
  DrawText(image, QPoint(9 + 7, 8), Font::Small, t.plate, t.edgeShadow, 2);
  DrawText(image, QPoint(9 + 7, 7), Font::Small, t.plate, t.engraving, 2);
  // A groove under the top strip.
  HLine(image, 5, kWidth - 6, 19, t.edgeShadow);
  HLine(image, 5, kWidth - 6, 20, Shade(BodyAt(t, 80, 20), 14));
  // What the three keys on the left are for.
  const std::string_view caption = "HORA DE APAGADO";
  const int captionLeft =
      (slot::kNextField.left() + slot::kPlus.right() + 1 - TextWidth(Font::Small, caption)) / 2;
  DrawText(image, QPoint(captionLeft, 114), Font::Small, caption, t.edgeShadow);
  DrawText(image, QPoint(captionLeft, 113), Font::Small, caption, t.engraving);
  // The beeper grille above the About key.
  for (int y = 90; y <= 99; y += 3) {
    HLine(image, 139, 156, y, t.edgeShadow);
    HLine(image, 139, 156, y + 1, Shade(BodyAt(t, 140, y + 1), 12));
  }
}

void DrawLcdWindow(const FaceTheme& t, QImage& image) {
  const QRect& b = kBezel;
  // Sunken bezel: shadow above and left, light below and right.
  HLine(image, b.left() + 1, b.right() - 1, b.top(), t.edgeShadow);
  VLine(image, b.left(), b.top() + 1, b.bottom() - 1, t.edgeShadow);
  HLine(image, b.left() + 1, b.right() - 1, b.bottom(), t.edgeLight);
  VLine(image, b.right(), b.top() + 1, b.bottom() - 1, Mix(t.edgeLight, t.edgeShadow, 0.3));
  const QRect inner = b.adjusted(1, 1, -1, -1);
  Border(image, inner, t.outline);
  Fill(image, kGlass, t.lcdGlass);
  // A faint rule between the time and the message line.
  HLine(image, slot::kMessageLine.left(), slot::kMessageLine.right(), 60,
        Mix(t.lcdGlass, t.lcdLit, 0.07));
}

QImage FaceWithGhosts(const FaceTheme& t) {
  QImage image = NewCanvas(kWidth, kHeight, t.bodyTop);
  DrawBody(t, image);
  DrawEngravings(t, image);
  DrawLcdWindow(t, image);
  for (int left : slot::kDigitLeft) DrawDigit(t, image, QPoint(left, slot::kDigitTop), -1);
  DrawColon(t, image, slot::kColon1.topLeft(), t.segmentGhost);
  DrawColon(t, image, slot::kColon2.topLeft(), t.segmentGhost);
  Blit(image, TipNotasOff(t), slot::kTipNotas.topLeft());
  Blit(image, TipOkOff(t), slot::kTipOk.topLeft());
  Blit(image, TipApagadoOff(t), slot::kTipApagado.topLeft());
  DrawFaceKeys(t, image);
  return image;
}

}  // namespace

const FaceTheme& BuiltInTheme() {
  static const FaceTheme theme = {
      kLcdGlass,        kLcdLit,      0xFF0F2832, kBodyTop,   kBodyBottom,   kOutline,  kEdgeLight,
      kEdgeShadow,      kEngraving,   kKeyTop,    kKeyBottom, kKeyHighlight, kKeyShade, kKeySymbol,
      kKeySymbolShadow, kCloseSymbol, kLcdLit,    2,          false,         "VESPERON"};
  return theme;
}

QImage SkinBase(const FaceTheme& t) { return FaceWithGhosts(t); }

QImage DigitFace(int digit, const FaceTheme& t) {
  QImage image = NewCanvas(10, 17, t.lcdGlass);
  DrawDigit(t, image, QPoint(0, 0), digit);
  return image;
}

QImage ColonFace(const FaceTheme& t) {
  QImage image = NewCanvas(5, 21, t.lcdGlass);
  DrawColon(t, image, QPoint(0, 0), t.lcdLit);
  return image;
}

QImage TipApagadoOff(const FaceTheme& t) { return Indicator(t, 49, "@ AUTO OFF", Lamp::Dim); }
QImage TipApagadoOn(const FaceTheme& t) { return Indicator(t, 49, "@ AUTO ON", Lamp::Lit); }
QImage TipStopOff(const FaceTheme& t) { return Indicator(t, 49, "* STOP", Lamp::Dim); }
QImage TipStopOn(const FaceTheme& t) { return Indicator(t, 49, "* STOP", Lamp::Inverted); }
QImage TipOkOff(const FaceTheme& t) { return Indicator(t, 15, "OK", Lamp::Dim); }
QImage TipOkOn(const FaceTheme& t) { return Indicator(t, 15, "OK", Lamp::Lit); }
QImage TipNotasOff(const FaceTheme& t) { return Indicator(t, 33, "NOTAS", Lamp::Dim); }
QImage TipNotasOn(const FaceTheme& t) { return Indicator(t, 33, "NOTAS", Lamp::Lit); }

QImage SkinBase() { return SkinBase(BuiltInTheme()); }
QImage DigitFace(int digit) { return DigitFace(digit, BuiltInTheme()); }
QImage ColonFace() { return ColonFace(BuiltInTheme()); }
QImage TipApagadoOff() { return TipApagadoOff(BuiltInTheme()); }
QImage TipApagadoOn() { return TipApagadoOn(BuiltInTheme()); }
QImage TipStopOff() { return TipStopOff(BuiltInTheme()); }
QImage TipStopOn() { return TipStopOn(BuiltInTheme()); }
QImage TipOkOff() { return TipOkOff(BuiltInTheme()); }
QImage TipOkOn() { return TipOkOn(BuiltInTheme()); }
QImage TipNotasOff() { return TipNotasOff(BuiltInTheme()); }
QImage TipNotasOn() { return TipNotasOn(BuiltInTheme()); }

std::vector<NamedPicture> FacePictures(const FaceTheme& t) {
  std::vector<NamedPicture> pictures = {
      {QStringLiteral("skin-base.bmp"), SkinBase(t)},
      {QStringLiteral("dos_puntos.bmp"), ColonFace(t)},
      {QStringLiteral("tip-apagado-off.bmp"), TipApagadoOff(t)},
      {QStringLiteral("tip-apagado-on.bmp"), TipApagadoOn(t)},
      {QStringLiteral("tip-stop-off.bmp"), TipStopOff(t)},
      {QStringLiteral("tip-stop-on.bmp"), TipStopOn(t)},
      {QStringLiteral("tip-ok-off.bmp"), TipOkOff(t)},
      {QStringLiteral("tip-ok-on.bmp"), TipOkOn(t)},
      {QStringLiteral("tip-notas-off.bmp"), TipNotasOff(t)},
      {QStringLiteral("tip-notas-on.bmp"), TipNotasOn(t)},
  };
  for (int d = 0; d <= 9; ++d)
    pictures.push_back({QString::number(d) + QStringLiteral(".bmp"), DigitFace(d, t)});
  return pictures;
}

QImage FaceShowingTime(const int (&digits)[6]) {
  QImage image = SkinBase();
  for (int i = 0; i < 6; ++i)
    Blit(image, DigitFace(digits[i]), QPoint(slot::kDigitLeft[i], slot::kDigitTop));
  Blit(image, ColonFace(), slot::kColon1.topLeft());
  Blit(image, ColonFace(), slot::kColon2.topLeft());
  return image;
}

QImage PreviewFace() {
  QImage image = FaceShowingTime({1, 2, 0, 0, 0, 0});
  const std::string_view text = "VISTA PREVIA";
  const QRect& line = slot::kMessageLine;
  DrawText(image,
           QPoint(line.left() + (line.width() - TextWidth(Font::Small, text, 2)) / 2,
                  line.top() + (line.height() - TextHeight(Font::Small)) / 2),
           Font::Small, text, kLcdLit, 2);
  return image;
}

}  // namespace artwork
