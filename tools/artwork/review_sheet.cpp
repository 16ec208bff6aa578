#include "review_sheet.h"

#include "canvas.h"
#include "clock_face.h"
#include "icons.h"
#include "menu_pictures.h"
#include "note_pictures.h"
#include "palette.h"
#include "pixel_font.h"

namespace artwork {

namespace {

QImage Enlarge(const QImage& image, int scale) {
  return image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Pictures side by side, their top left corners `step` pixels apart from `at`.
void BlitRow(QImage& target, std::initializer_list<QImage> pictures, QPoint at, int step) {
  for (const QImage& picture : pictures) {
    Blit(target, picture, at);
    at.rx() += step;
  }
}

QImage ClockAt123456() { return FaceShowingTime({1, 2, 3, 4, 5, 6}); }

// The face armed and counting down, with a stand-in for the message line.
QImage ClockCountingDown() {
  QImage face = FaceShowingTime({2, 3, 5, 9, 5, 8});
  Blit(face, TipNotasOn(), slot::kTipNotas.topLeft());
  Blit(face, TipOkOn(), slot::kTipOk.topLeft());
  Blit(face, TipStopOn(), slot::kTipApagado.topLeft());
  DrawText(face, slot::kMessageLine.topLeft() + QPoint(4, 5), Font::Small, "APAGADO ON", kLcdLit);
  return face;
}

}  // namespace

QImage FacePreview(int scale) { return Enlarge(ClockAt123456(), scale); }

QImage ReviewSheet(int scale) {
  QImage sheet = NewCanvas(560, 330, 0xFF9098A0);
  BlitRow(sheet, {ClockAt123456(), ClockCountingDown(), PreviewFace()}, QPoint(8, 8), 179);

  QImage lcd = NewCanvas(171, 60, kLcdGlass);
  int x = 4;
  for (int d = 0; d <= 9; ++d, x += 12) Blit(lcd, DigitFace(d), QPoint(x, 4));
  Blit(lcd, ColonFace(), QPoint(x, 2));
  BlitRow(lcd, {TipApagadoOff(), TipApagadoOn()}, QPoint(4, 26), 52);
  BlitRow(lcd, {TipOkOff(), TipOkOn()}, QPoint(108, 26), 18);
  BlitRow(lcd, {TipStopOff(), TipStopOn()}, QPoint(4, 38), 52);
  Blit(lcd, TipNotasOff(), QPoint(108, 38));
  Blit(lcd, TipNotasOn(), QPoint(108, 48));
  Blit(sheet, lcd, QPoint(8, 150));

  BlitRow(sheet, {TrayArmedIcon(), TrayDisarmedIcon(), HandCursor()}, QPoint(8, 220), 40);
  BlitRow(sheet, {MenuSetPicture(), MenuNotasPicture(), MenuAboutPicture()}, QPoint(8, 260), 20);
  BlitRow(sheet, {NoteCloseNormal(), NoteCloseOver(), NoteClosePushed()}, QPoint(88, 260), 16);

  Blit(sheet, NoteWindowFrame(), QPoint(187, 150));
  return Enlarge(sheet, scale);
}

}  // namespace artwork
