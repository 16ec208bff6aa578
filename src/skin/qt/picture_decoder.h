#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "skin/picture_checks.h"

namespace vesperon {

// A Windows bitmap or icon, decoded from its bytes with Qt's readers. The
// header's dimensions are read and checked before anything is decoded.
// Bitmaps come back opaque (RGB32), icons with their transparency (ARGB32).
// On failure the image is null and `reason` says why, in the program's words.
QImage DecodePicture(const QByteArray& bytes, QString& reason);

// Sets the ceiling Qt's image readers allocate up to, for the whole program.
// Call once, before the first picture is read.
void LimitPictureAllocations();

}  // namespace vesperon
