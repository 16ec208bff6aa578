#pragma once

#include <QImage>
#include <QRgb>

namespace artwork {

// The popup menu's 14 x 14 pictures. Bitmaps have no transparency: their
// background is kMenuPictureBackground, a colour no drawing uses, so the
// menu can key it out.
constexpr QRgb kMenuPictureBackground = 0xFFF0F0F0;

QImage MenuSetPicture();    // a yellow warning triangle with "!"
QImage MenuNotasPicture();  // a loudspeaker with sound waves
QImage MenuAboutPicture();  // an information balloon with "i"

}  // namespace artwork
