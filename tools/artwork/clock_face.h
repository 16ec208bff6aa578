#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

#include "face_theme.h"

namespace artwork {

// Where the program puts things on its 171 x 128 face.
namespace slot {
constexpr int kDigitTop = 39;
constexpr int kDigitLeft[6] = {21, 33, 50, 62, 79, 91};
const QRect kColon1(44, 37, 5, 21);
const QRect kColon2(73, 37, 5, 21);
const QRect kTipNotas(104, 38, 33, 9);
const QRect kTipOk(138, 38, 15, 9);
const QRect kTipApagado(104, 48, 49, 9);
const QRect kMessageLine(19, 64, 134, 14);
const QRect kMinimize(132, 4, 8, 9);
const QRect kMenu(144, 4, 8, 9);
const QRect kClose(157, 4, 8, 9);
const QRect kNextField(10, 92, 22, 16);
const QRect kMinus(37, 90, 22, 16);
const QRect kPlus(63, 91, 22, 16);
const QRect kAbout(137, 106, 22, 20);
const QRect kNoteButton(99, 88, 27, 19);
}  // namespace slot

// The face's pictures in the built-in look, and in another theme.
QImage SkinBase();
QImage DigitFace(int digit);  // 10 x 17
QImage ColonFace();           // 5 x 21
QImage SkinBase(const FaceTheme& theme);
QImage DigitFace(int digit, const FaceTheme& theme);
QImage ColonFace(const FaceTheme& theme);

// The indicator faces.
QImage TipApagadoOff();
QImage TipApagadoOn();
QImage TipStopOff();
QImage TipStopOn();
QImage TipOkOff();
QImage TipOkOn();
QImage TipNotasOff();
QImage TipNotasOn();
QImage TipApagadoOff(const FaceTheme& theme);
QImage TipApagadoOn(const FaceTheme& theme);
QImage TipStopOff(const FaceTheme& theme);
QImage TipStopOn(const FaceTheme& theme);
QImage TipOkOff(const FaceTheme& theme);
QImage TipOkOn(const FaceTheme& theme);
QImage TipNotasOff(const FaceTheme& theme);
QImage TipNotasOn(const FaceTheme& theme);

// The built-in face showing six digits, and both colons lit.
QImage FaceShowingTime(const int (&digits)[6]);
// The configuration dialog's picture for "no skin": the face as it looks.
QImage PreviewFace();

// A picture and the name of the file that holds it.
struct NamedPicture {
  QString file;
  QImage image;
};

// The face's pictures in a theme, named as the program's resources and a
// skin's folder name them: the background, the colon, the ten digits and the
// eight indicator faces.
std::vector<NamedPicture> FacePictures(const FaceTheme& theme);

}  // namespace artwork
