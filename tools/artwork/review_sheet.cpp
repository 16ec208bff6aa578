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

QImage ShowTime(QImage face, const int (&digits)[6]) {
  for (int i = 0; i < 6; ++i)
    Blit(face, DigitFace(digits[i]), QPoint(slot::kDigitLeft[i], slot::kDigitTop));
  Blit(face, ColonFace(), slot::kColon1.topLeft());
  Blit(face, ColonFace(), slot::kColon2.topLeft());
  return face;
}

QImage ClockAt123456() { return ShowTime(SkinBase(), {1, 2, 3, 4, 5, 6}); }

// The face armed and counting down, with a stand-in for the message line.
QImage ClockCountingDown() {
  QImage face = ShowTime(SkinBase(), {2, 3, 5, 9, 5, 8});
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
  Blit(sheet, ClockAt123456(), QPoint(8, 8));
  Blit(sheet, ClockCountingDown(), QPoint(187, 8));
  Blit(sheet, PreviewFace(), QPoint(366, 8));

  QImage lcd = NewCanvas(171, 60, kLcdGlass);
  int x = 4;
  for (int d = 0; d <= 9; ++d, x += 12) Blit(lcd, DigitFace(d), QPoint(x, 4));
  Blit(lcd, ColonFace(), QPoint(x, 2));
  Blit(lcd, TipApagadoOff(), QPoint(4, 26));
  Blit(lcd, TipApagadoOn(), QPoint(56, 26));
  Blit(lcd, TipOkOff(), QPoint(108, 26));
  Blit(lcd, TipOkOn(), QPoint(126, 26));
  Blit(lcd, TipStopOff(), QPoint(4, 38));
  Blit(lcd, TipStopOn(), QPoint(56, 38));
  Blit(lcd, TipNotasOff(), QPoint(108, 38));
  Blit(lcd, TipNotasOn(), QPoint(108, 48));
  Blit(sheet, lcd, QPoint(8, 150));

  Blit(sheet, TrayArmedIcon(), QPoint(8, 220));
  Blit(sheet, TrayDisarmedIcon(), QPoint(48, 220));
  Blit(sheet, HandCursor(), QPoint(88, 220));
  Blit(sheet, MenuSetPicture(), QPoint(8, 260));
  Blit(sheet, MenuNotasPicture(), QPoint(28, 260));
  Blit(sheet, MenuAboutPicture(), QPoint(48, 260));
  Blit(sheet, NoteCloseNormal(), QPoint(88, 260));
  Blit(sheet, NoteCloseOver(), QPoint(104, 260));
  Blit(sheet, NoteClosePushed(), QPoint(120, 260));

  Blit(sheet, NoteWindowFrame(), QPoint(187, 150));
  return Enlarge(sheet, scale);
}

}  // namespace artwork
