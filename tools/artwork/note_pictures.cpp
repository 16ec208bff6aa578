#include "note_pictures.h"

#include <algorithm>

#include "canvas.h"
#include "palette.h"
#include "pixel_font.h"

namespace artwork {

namespace {

constexpr int kWidth = 191;
constexpr int kHeight = 145;
constexpr int kTitleHeight = 21;
const QRect kCloseButton(173, 5, 13, 13);

constexpr QRgb kFrameMetal = 0xFF4E5E6B;
constexpr QRgb kFrameInner = 0xFF34414C;
constexpr QRgb kTitleTop = 0xFF5C6E7D;
constexpr QRgb kTitleBottom = 0xFF2E3A45;
constexpr QRgb kTitleText = 0xFFEAF2F6;

// The frame and title drawn as one picture, so the strips cut from it meet
// without seams whichever of them the window paints last.
QImage Frame() {
  QImage image = NewCanvas(kWidth, kHeight, kNotePaper);
  for (int y = 1; y < kTitleHeight - 1; ++y) {
    const double t = (y - 1) / double(kTitleHeight - 3);
    HLine(image, 1, kWidth - 2, y, Mix(kTitleTop, kTitleBottom, t));
  }
  HLine(image, 1, kWidth - 2, 1, Shade(kTitleTop, 24));
  HLine(image, 1, kWidth - 2, kTitleHeight - 1, kFrameInner);
  for (int y = kTitleHeight; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int edge = std::min({x, kWidth - 1 - x, kHeight - 1 - y});
      if (edge == 1) Put(image, x, y, kFrameMetal);
      if (edge == 2) Put(image, x, y, kFrameInner);
    }
  Border(image, QRect(0, 0, kWidth, kHeight), kOutline);

  // The badge: the clock's LCD with a lit "!".
  const QRect badge(6, 5, 11, 11);
  Fill(image, badge.adjusted(1, 1, -1, -1), kLcdGlass);
  RoundedBorder(image, badge, kOutline);
  Fill(image, QRect(11, 7, 1, 5), kLcdLit);
  Put(image, 11, 13, kLcdLit);

  DrawText(image, QPoint(23, 8), Font::Title, "Nota de Aviso", kOutline);
  DrawText(image, QPoint(23, 7), Font::Title, "Nota de Aviso", kTitleText);
  return image;
}

enum class CloseState { Normal, Over, Pushed };

QImage CloseButton(CloseState state) {
  QImage image = Crop(Frame(), kCloseButton);
  const QRgb top = state == CloseState::Normal ? 0xFF52626F
                   : state == CloseState::Over ? 0xFFE0584A
                                               : 0xFF8E2A22;
  const QRgb bottom = state == CloseState::Normal ? 0xFF36434E
                      : state == CloseState::Over ? 0xFFB03A2E
                                                  : 0xFF9E3228;
  const QRgb symbol = state == CloseState::Normal ? 0xFFD8E2E8 : 0xFFFFFFFF;
  for (int y = 1; y < 12; ++y) HLine(image, 1, 11, y, Mix(top, bottom, (y - 1) / 10.0));
  if (state == CloseState::Pushed) {
    HLine(image, 1, 11, 1, Shade(top, -30));
    VLine(image, 1, 1, 11, Shade(top, -30));
  } else {
    HLine(image, 1, 11, 1, Shade(top, 30));
  }
  RoundedBorder(image, QRect(0, 0, 13, 13), kOutline);
  const int shift = state == CloseState::Pushed ? 1 : 0;
  DrawArt(image, QPoint(3 + shift, 3 + shift),
          {
              "#+...+#",
              "+#+.+#+",
              ".+#+#+.",
              "..+#+..",
              ".+#+#+.",
              "+#+.+#+",
              "#+...+#",
          },
          {{'#', symbol}, {'+', Mix(symbol, Mix(top, bottom, 0.5), 0.55)}});
  return image;
}

}  // namespace

QImage NoteTitle() { return Crop(Frame(), QRect(0, 0, kWidth, kTitleHeight)); }
QImage NoteCloseNormal() { return CloseButton(CloseState::Normal); }
QImage NoteCloseOver() { return CloseButton(CloseState::Over); }
QImage NoteClosePushed() { return CloseButton(CloseState::Pushed); }
QImage NoteLeftBorder() { return Crop(Frame(), QRect(0, kTitleHeight, 3, 124)); }
QImage NoteRightBorder() { return Crop(Frame(), QRect(188, kTitleHeight, 3, 124)); }
QImage NoteBottomBorder() { return Crop(Frame(), QRect(3, 142, 186, 3)); }

QImage NoteWindowFrame() {
  QImage image = Frame();
  Blit(image, NoteCloseNormal(), kCloseButton.topLeft());
  return image;
}

}  // namespace artwork
