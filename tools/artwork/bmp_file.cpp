#include "bmp_file.h"

#include "little_endian.h"

namespace artwork {

QByteArray EncodeBmp24(const QImage& image) {
  const int width = image.width();
  const int height = image.height();
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int pixelBytes = rowBytes * height;
  constexpr int kHeaders = 14 + 40;

  QByteArray out;
  // BITMAPFILEHEADER
  out.append("BM", 2);
  AppendU32(out, kHeaders + pixelBytes);
  AppendU16(out, 0);
  AppendU16(out, 0);
  AppendU32(out, kHeaders);
  // BITMAPINFOHEADER
  AppendU32(out, 40);
  AppendU32(out, width);
  AppendU32(out, height);  // positive: rows run bottom-up
  AppendU16(out, 1);       // planes
  AppendU16(out, 24);      // bits per pixel
  AppendU32(out, 0);       // BI_RGB, no compression
  AppendU32(out, pixelBytes);
  AppendU32(out, 3780);  // 96 dots per inch, in dots per metre
  AppendU32(out, 3780);
  AppendU32(out, 0);  // colours used
  AppendU32(out, 0);  // important colours

  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      out.append(static_cast<char>(qBlue(pixel)));
      out.append(static_cast<char>(qGreen(pixel)));
      out.append(static_cast<char>(qRed(pixel)));
    }
    out.append(rowBytes - width * 3, '\0');
  }
  return out;
}

}  // namespace artwork
