#include "icon_file.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "little_endian.h"

namespace artwork {

namespace {

constexpr int kColours = 16;

// The palette in order of first use, black first: transparent pixels carry
// index 0, and black there leaves the screen untouched under the mask.
std::vector<QRgb> PaletteOf(const QImage& image) {
  std::vector<QRgb> palette{qRgb(0, 0, 0)};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 0) continue;
      const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
      bool known = false;
      for (QRgb entry : palette) known = known || entry == colour;
      if (!known) palette.push_back(colour);
    }
  if (palette.size() > kColours) {
    std::fprintf(stderr, "artwork: an icon uses %zu colours, 16 at most\n", palette.size());
    std::abort();
  }
  palette.resize(kColours, qRgb(0, 0, 0));
  return palette;
}

int IndexOf(const std::vector<QRgb>& palette, QRgb pixel) {
  if (qAlpha(pixel) == 0) return 0;
  const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
  for (int i = 0; i < kColours; ++i)
    if (palette[i] == colour) return i;
  return 0;
}

// The entry's two 16-bit fields are planes and bit count in an icon, and
// the hotspot in a cursor.
QByteArray Encode(const QImage& image, int type, int field1, int field2) {
  const int width = image.width();
  const int height = image.height();
  const int xorRow = (width * 4 + 31) / 32 * 4;
  const int andRow = (width + 31) / 32 * 4;
  const std::vector<QRgb> palette = PaletteOf(image);
  const int imageBytes = 40 + kColours * 4 + (xorRow + andRow) * height;

  QByteArray out;
  // ICONDIR
  AppendU16(out, 0);
  AppendU16(out, type);
  AppendU16(out, 1);
  // ICONDIRENTRY
  out.append(static_cast<char>(width));
  out.append(static_cast<char>(height));
  out.append(static_cast<char>(kColours));
  out.append('\0');
  AppendU16(out, field1);
  AppendU16(out, field2);
  AppendU32(out, imageBytes);
  AppendU32(out, 6 + 16);
  // BITMAPINFOHEADER; the height counts the colour image and the mask.
  AppendU32(out, 40);
  AppendU32(out, width);
  AppendU32(out, height * 2);
  AppendU16(out, 1);
  AppendU16(out, 4);
  AppendU32(out, 0);
  AppendU32(out, (xorRow + andRow) * height);
  AppendU32(out, 0);
  AppendU32(out, 0);
  AppendU32(out, kColours);
  AppendU32(out, 0);
  for (QRgb colour : palette) {
    out.append(static_cast<char>(qBlue(colour)));
    out.append(static_cast<char>(qGreen(colour)));
    out.append(static_cast<char>(qRed(colour)));
    out.append('\0');
  }
  // Colour image, bottom-up, two pixels a byte, high nibble first.
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(xorRow, '\0');
    for (int x = 0; x < width; ++x) {
      const int index = IndexOf(palette, image.pixel(x, y));
      row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
    }
    out.append(row);
  }
  // AND mask, bottom-up, one bit a pixel, set = transparent.
  for (int y = height - 1; y >= 0; --y) {
    QByteArray row(andRow, '\0');
    for (int x = 0; x < width; ++x)
      if (qAlpha(image.pixel(x, y)) == 0)
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out.append(row);
  }
  return out;
}

}  // namespace

QByteArray EncodeIcon4(const QImage& image) { return Encode(image, 1, 1, 4); }

QByteArray EncodeCursor4(const QImage& image, QPoint hotspot) {
  return Encode(image, 2, hotspot.x(), hotspot.y());
}

}  // namespace artwork
