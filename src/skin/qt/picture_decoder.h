#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vesperon {

// The largest picture and the largest file a skin may bring. A skin's
// largest picture is 171 × 128; the bounds leave room for odd icons while
// keeping every allocation a hostile file can cause to a few megabytes.
inline constexpr int kPictureMaxSide = 1024;
inline constexpr qint64 kPictureFileMaxBytes = 4 * 1024 * 1024;

// A Windows bitmap or icon, decoded from its bytes with Qt's readers. The
// header's dimensions are read and checked before anything is decoded.
// Bitmaps come back opaque (RGB32), icons with their transparency (ARGB32).
// On failure the image is null and `reason` says why, in the program's words.
QImage DecodePicture(const QByteArray& bytes, QString& reason);

// Sets the ceiling Qt's image readers allocate up to, for the whole program.
// Call once, before the first picture is read.
void LimitPictureAllocations();

}  // namespace vesperon
