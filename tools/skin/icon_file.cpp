#include "icon_file.h"

namespace vesperon::skintool {

namespace {

void PutLe(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One entry's picture: a BITMAPINFOHEADER whose height counts the colour
// rows and the mask's, the colour rows bottom-up, then the mask rows.
QByteArray EntryBitmap(const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const int w = argb.width();
  const int h = argb.height();
  const int maskRowBytes = (w + 31) / 32 * 4;
  QByteArray out;
  for (const quint32 field : {40u, quint32(w), quint32(2 * h)}) PutLe(out, field, 4);
  PutLe(out, 1, 2);
  PutLe(out, 32, 2);
  for (const quint32 field : {0u, quint32(w * h * 4 + maskRowBytes * h), 0u, 0u, 0u, 0u})
    PutLe(out, field, 4);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) PutLe(out, argb.pixel(x, y), 4);  // B, G, R, A
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(maskRowBytes, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(argb.pixel(x, y)) == 0)
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}

}  // namespace

QByteArray IconFile(const std::vector<QImage>& pictures) {
  QByteArray head;
  PutLe(head, 0, 2);
  PutLe(head, 1, 2);  // an icon, not a cursor
  PutLe(head, static_cast<quint32>(pictures.size()), 2);
  QByteArray body;
  const quint32 firstOffset = 6 + 16 * static_cast<quint32>(pictures.size());
  for (const QImage& picture : pictures) {
    const QByteArray bitmap = EntryBitmap(picture);
    head += static_cast<char>(picture.width() % 256);  // 0 stands for 256
    head += static_cast<char>(picture.height() % 256);
    head += QByteArray("\0\0", 2);  // no palette, reserved
    PutLe(head, 1, 2);              // planes
    PutLe(head, 32, 2);             // bits a pixel
    PutLe(head, static_cast<quint32>(bitmap.size()), 4);
    PutLe(head, firstOffset + static_cast<quint32>(body.size()), 4);
    body += bitmap;
  }
  return head + body;
}

}  // namespace vesperon::skintool
