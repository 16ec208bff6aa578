#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "common/picture_checks.h"

namespace vesperon {

struct DecodedPicture {
  QImage image;    // null on failure
  QString reason;  // on failure, why, in the program's words
  // Beyond the bounds: more than 4 MiB, or a side over 1024; `claimed` is
  // the size the file claims when its header was read.
  bool tooLarge = false;
  QSize claimed;
};

// A Windows bitmap or icon, decoded from its bytes with Qt's readers. The
// header's dimensions are read and checked before anything is decoded.
// Bitmaps come back opaque (RGB32), icons with their transparency (ARGB32).
DecodedPicture DecodePicture(const QByteArray& bytes);

// Sets the ceiling Qt's image readers allocate up to, for the whole program.
// Call once, before the first picture is read.
void LimitPictureAllocations();

}  // namespace vesperon
