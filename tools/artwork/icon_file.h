#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace artwork {

// Windows icon and cursor files holding one 16-colour (4-bit) image with its
// AND mask. Pixels with alpha 0 become transparent; every other pixel is
// opaque, and at most 15 colours besides black may be used.
QByteArray EncodeIcon4(const QImage& image);
QByteArray EncodeCursor4(const QImage& image, QPoint hotspot);

}  // namespace artwork
