#pragma once

#include <QByteArray>
#include <QImage>

namespace artwork {

// A Windows bitmap, 24 bits per pixel, uncompressed, bottom-up, with a
// BITMAPINFOHEADER and 96 dots per inch: the most widely readable form.
QByteArray EncodeBmp24(const QImage& image);

}  // namespace artwork
