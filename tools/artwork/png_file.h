#pragma once

#include <QByteArray>
#include <QImage>

namespace artwork {

// A PNG file of an image, 8-bit RGBA, written here rather than by Qt's image
// writer so that the bytes depend on nothing but the pixels and zlib.
QByteArray EncodePng(const QImage& image);

}  // namespace artwork
