#pragma once

#include <QImage>

namespace artwork {

// Pictures for a person to look at, not for the program: the face as the
// clock shows it (12:34:56, indicators off), and a sheet with every picture.
// Both are enlarged `scale` times, pixel for pixel.
QImage FacePreview(int scale);
QImage ReviewSheet(int scale);

}  // namespace artwork
