#include "clock_face.h"

#include <string_view>
#include <vector>

#include "canvas.h"
#include "palette.h"
#include "pixel_font.h"

namespace artwork {

namespace {

constexpr int kWidth = 171;
constexpr int kHeight = 128;

// The LCD window cut into the face, inside its two-pixel bezel.
const QRect kBezel(12, 29, 148, 56);
const QRect kGlass = kBezel.adjusted(2, 2, -2, -2);

constexpr QRgb kSegmentGhost = 0xFF0F2832;  // unlit segments, just visible
const QRgb kIndicatorDimFrame = Mix(kLcdGlass, kLcdLit, 0.18);
const QRgb kIndicatorDimText = Mix(kLcdGlass, kLcdLit, 0.34);
const QRgb kIndicatorGlow = Mix(kLcdGlass, kLcdLit, 0.10);

// Brushed metal: a top-to-bottom gradient with streaks along the rows.
QRgb BodyAt(int x, int y) {
  const QRgb base = Mix(kBodyTop, kBodyBottom, y / double(kHeight - 1));
  return Shade(base, Grain(x / 9, y, 2) + Grain(x, y, 1));
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
void DrawDigit(QImage& image, QPoint at, int digit) {
  for (int i = 0; i < 7; ++i) {
    const bool lit =
        digit >= 0 && std::string_view(kLit[digit]).find(char('a' + i)) != std::string_view::npos;
    DrawSegment(image, at, *kSegments[i], lit ? kLcdLit : kSegmentGhost);
  }
}

// Round dots: full centre cross, corners half lit.
void DrawColon(QImage& image, QPoint at, QRgb colour) {
  const QRgb corner = Mix(kLcdGlass, colour, 0.45);
  for (int dotTop : {5, 13}) {
    const QPoint o(at.x() + 1, at.y() + dotTop);
    Fill(image, QRect(o, QSize(3, 3)), colour);
    for (QPoint c : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(2, 2)})
      Put(image, o.x() + c.x(), o.y() + c.y(), corner);
  }
}

// --- indicators ---------------------------------------------------------------
enum class Lamp { Dim, Lit, Inverted };

QImage Indicator(int width, std::string_view text, Lamp lamp) {
  QImage image = NewCanvas(width, 9, kLcdGlass);
  const QRect frame(0, 0, width, 9);
  const QRgb frameColour = lamp == Lamp::Dim ? kIndicatorDimFrame : kLcdLit;
  const QRgb textColour = lamp == Lamp::Dim   ? kIndicatorDimText
                          : lamp == Lamp::Lit ? kLcdLit
                                              : kLcdGlass;
  if (lamp != Lamp::Dim)
    Fill(image, frame.adjusted(1, 1, -1, -1), lamp == Lamp::Lit ? kIndicatorGlow : kLcdLit);
  HLine(image, 1, width - 2, 0, frameColour);
  HLine(image, 1, width - 2, 8, frameColour);
  VLine(image, 0, 1, 7, frameColour);
  VLine(image, width - 1, 1, 7, frameColour);
  const int textLeft = (width - TextWidth(Font::Small, text)) / 2;
  DrawText(image, QPoint(textLeft, 2), Font::Small, text, textColour);
  return image;
}

// --- keys ---------------------------------------------------------------------
// A raised key filling `rect`, with a one-pixel drop shadow below it; the
// corners stay body so the key looks rounded.
void DrawKey(QImage& image, const QRect& rect) {
  for (int x = rect.left() + 1; x <= rect.right(); ++x)
    Put(image, x, rect.bottom() + 1, Shade(BodyAt(x, rect.bottom() + 1), -16));
  for (int y = rect.top() + 1; y < rect.bottom(); ++y) {
    const double t = (y - rect.top()) / double(rect.height() - 1);
    HLine(image, rect.left() + 1, rect.right() - 1, y, Mix(kKeyTop, kKeyBottom, t));
  }
  HLine(image, rect.left() + 1, rect.right() - 1, rect.top(), kOutline);
  HLine(image, rect.left() + 1, rect.right() - 1, rect.bottom(), kOutline);
  VLine(image, rect.left(), rect.top() + 1, rect.bottom() - 1, kOutline);
  VLine(image, rect.right(), rect.top() + 1, rect.bottom() - 1, kOutline);
  HLine(image, rect.left() + 1, rect.right() - 1, rect.top() + 1, kKeyHighlight);
  VLine(image, rect.left() + 1, rect.top() + 2, rect.bottom() - 2,
        Mix(kKeyHighlight, kKeyTop, 0.5));
  HLine(image, rect.left() + 2, rect.right() - 1, rect.bottom() - 1, kKeyShade);
  VLine(image, rect.right() - 1, rect.top() + 2, rect.bottom() - 1,
        Mix(kKeyShade, kKeyBottom, 0.5));
}

// A symbol centred on a key; on the big keys it gets a dark shadow under it.
void DrawKeySymbol(QImage& image, const QRect& rect, std::initializer_list<const char*> rows,
                   QRgb colour) {
  const bool bigKey = rect.height() > 10;
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(std::string_view(*rows.begin()).size());
  const QPoint at(rect.left() + (rect.width() - width + 1) / 2,
                  rect.top() + (rect.height() - height) / 2);
  if (bigKey) DrawArt(image, at + QPoint(0, 1), rows, {{'#', kKeySymbolShadow}});
  DrawArt(image, at, rows, {{'#', colour}});
}

// clang-format off
void DrawFaceKeys(QImage& image) {
  DrawKey(image, slot::kMinimize);
  DrawKeySymbol(image, slot::kMinimize, {"....",
                                         "....",
                                         "....",
                                         "####"}, kKeySymbol);
  DrawKey(image, slot::kMenu);
  DrawKeySymbol(image, slot::kMenu, {"####",
                                     "....",
                                     "####",
                                     "....",
                                     "####"}, kKeySymbol);
  DrawKey(image, slot::kClose);
  DrawKeySymbol(image, slot::kClose, {"#...#",
                                      ".#.#.",
                                      "..#..",
                                      ".#.#.",
                                      "#...#"}, kCloseSymbol);
  DrawKey(image, slot::kNextField);
  DrawKeySymbol(image, slot::kNextField, {"#.....##",
                                          "##....##",
                                          "###...##",
                                          "####..##",
                                          "#####.##",
                                          "####..##",
                                          "###...##",
                                          "##....##",
                                          "#.....##"}, kKeySymbol);
  DrawKey(image, slot::kMinus);
  DrawKeySymbol(image, slot::kMinus, {"########",
                                      "########"}, kKeySymbol);
  DrawKey(image, slot::kPlus);
  DrawKeySymbol(image, slot::kPlus, {"...##...",
                                     "...##...",
                                     "...##...",
                                     "########",
                                     "########",
                                     "...##...",
                                     "...##...",
                                     "...##..."}, kKeySymbol);
  DrawKey(image, slot::kAbout);
  DrawKeySymbol(image, slot::kAbout, {".####.",
                                      "##..##",
                                      "....##",
                                      "...##.",
                                      "..##..",
                                      "..##..",
                                      "......",
                                      "..##..",
                                      "..##.."}, kKeySymbol);
}
// clang-format on

// --- the face -----------------------------------------------------------------
void DrawBody(QImage& image) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) Put(image, x, y, BodyAt(x, y));
  HLine(image, 1, kWidth - 2, 1, kEdgeLight);
  VLine(image, 1, 2, kHeight - 3, Mix(kEdgeLight, kBodyTop, 0.4));
  HLine(image, 2, kWidth - 2, kHeight - 2, kEdgeShadow);
  VLine(image, kWidth - 2, 2, kHeight - 2, kEdgeShadow);
  HLine(image, 0, kWidth - 1, 0, kOutline);
  HLine(image, 0, kWidth - 1, kHeight - 1, kOutline);
  VLine(image, 0, 0, kHeight - 1, kOutline);
  VLine(image, kWidth - 1, 0, kHeight - 1, kOutline);
}

void DrawEngravings(QImage& image) {
  // The name plate, top left, with the power mark.
  DrawText(image, QPoint(9, 7), Font::Small, "@", kLcdLit);
  DrawText(image, QPoint(9 + 7, 8), Font::Small, "VESPERON", kEdgeShadow, 2);
  DrawText(image, QPoint(9 + 7, 7), Font::Small, "VESPERON", kEngraving, 2);
  // A groove under the top strip.
  HLine(image, 5, kWidth - 6, 19, kEdgeShadow);
  HLine(image, 5, kWidth - 6, 20, Shade(BodyAt(80, 20), 14));
  // What the three keys on the left are for.
  const std::string_view caption = "HORA DE APAGADO";
  const int captionLeft =
      (slot::kNextField.left() + slot::kPlus.right() + 1 - TextWidth(Font::Small, caption)) / 2;
  DrawText(image, QPoint(captionLeft, 114), Font::Small, caption, kEdgeShadow);
  DrawText(image, QPoint(captionLeft, 113), Font::Small, caption, kEngraving);
  // The beeper grille above the About key.
  for (int y = 90; y <= 99; y += 3) {
    HLine(image, 139, 156, y, kEdgeShadow);
    HLine(image, 139, 156, y + 1, Shade(BodyAt(140, y + 1), 12));
  }
}

void DrawLcdWindow(QImage& image) {
  const QRect& b = kBezel;
  // Sunken bezel: shadow above and left, light below and right.
  HLine(image, b.left() + 1, b.right() - 1, b.top(), kEdgeShadow);
  VLine(image, b.left(), b.top() + 1, b.bottom() - 1, kEdgeShadow);
  HLine(image, b.left() + 1, b.right() - 1, b.bottom(), kEdgeLight);
  VLine(image, b.right(), b.top() + 1, b.bottom() - 1, Mix(kEdgeLight, kEdgeShadow, 0.3));
  const QRect inner = b.adjusted(1, 1, -1, -1);
  HLine(image, inner.left(), inner.right(), inner.top(), kOutline);
  HLine(image, inner.left(), inner.right(), inner.bottom(), kOutline);
  VLine(image, inner.left(), inner.top(), inner.bottom(), kOutline);
  VLine(image, inner.right(), inner.top(), inner.bottom(), kOutline);
  Fill(image, kGlass, kLcdGlass);
  // A faint rule between the time and the message line.
  HLine(image, slot::kMessageLine.left(), slot::kMessageLine.right(), 60,
        Mix(kLcdGlass, kLcdLit, 0.07));
}

QImage FaceWithGhosts() {
  QImage image = NewCanvas(kWidth, kHeight, kBodyTop);
  DrawBody(image);
  DrawEngravings(image);
  DrawLcdWindow(image);
  for (int left : slot::kDigitLeft) DrawDigit(image, QPoint(left, slot::kDigitTop), -1);
  DrawColon(image, slot::kColon1.topLeft(), kSegmentGhost);
  DrawColon(image, slot::kColon2.topLeft(), kSegmentGhost);
  Blit(image, TipNotasOff(), slot::kTipNotas.topLeft());
  Blit(image, TipOkOff(), slot::kTipOk.topLeft());
  Blit(image, TipApagadoOff(), slot::kTipApagado.topLeft());
  DrawFaceKeys(image);
  return image;
}

}  // namespace

QImage SkinBase() { return FaceWithGhosts(); }

QImage DigitFace(int digit) {
  QImage image = NewCanvas(10, 17, kLcdGlass);
  DrawDigit(image, QPoint(0, 0), digit);
  return image;
}

QImage ColonFace() {
  QImage image = NewCanvas(5, 21, kLcdGlass);
  DrawColon(image, QPoint(0, 0), kLcdLit);
  return image;
}

QImage TipApagadoOff() { return Indicator(49, "@ AUTO OFF", Lamp::Dim); }
QImage TipApagadoOn() { return Indicator(49, "@ AUTO ON", Lamp::Lit); }
QImage TipStopOff() { return Indicator(49, "* STOP", Lamp::Dim); }
QImage TipStopOn() { return Indicator(49, "* STOP", Lamp::Inverted); }
QImage TipOkOff() { return Indicator(15, "OK", Lamp::Dim); }
QImage TipOkOn() { return Indicator(15, "OK", Lamp::Lit); }
QImage TipNotasOff() { return Indicator(33, "NOTAS", Lamp::Dim); }
QImage TipNotasOn() { return Indicator(33, "NOTAS", Lamp::Lit); }

QImage PreviewFace() {
  QImage image = FaceWithGhosts();
  const int digits[6] = {1, 2, 0, 0, 0, 0};
  for (int i = 0; i < 6; ++i)
    Blit(image, DigitFace(digits[i]), QPoint(slot::kDigitLeft[i], slot::kDigitTop));
  Blit(image, ColonFace(), slot::kColon1.topLeft());
  Blit(image, ColonFace(), slot::kColon2.topLeft());
  const std::string_view text = "VISTA PREVIA";
  const QRect& line = slot::kMessageLine;
  DrawText(image,
           QPoint(line.left() + (line.width() - TextWidth(Font::Small, text, 2)) / 2,
                  line.top() + (line.height() - TextHeight(Font::Small)) / 2),
           Font::Small, text, kLcdLit, 2);
  return image;
}

}  // namespace artwork
