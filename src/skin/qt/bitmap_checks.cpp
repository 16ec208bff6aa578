#include "skin/qt/bitmap_checks.h"

namespace vesperon {

namespace {

quint32 Le(const QByteArray& bytes, qsizetype at, int count) {
  quint32 value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | quint8(bytes[at + i]);
  return value;
}

struct Header {
  qint64 dataStart = 0;
  qint64 width = 0;
  qint64 height = 0;  // negative: stored top row first
  quint32 bits = 0;
  quint32 compression = 0;
  qint64 colours = 0;  // palette entries the header promises
};

bool ReadHeader(const QByteArray& bytes, Header& h) {
  if (bytes.size() < 26) return false;
  h.dataStart = Le(bytes, 10, 4);
  const quint32 headerSize = Le(bytes, 14, 4);
  if (headerSize == 12) {
    h.width = Le(bytes, 18, 2);
    h.height = Le(bytes, 20, 2);
    h.bits = Le(bytes, 24, 2);
  } else {
    if (bytes.size() < 50) return false;
    h.width = qint32(Le(bytes, 18, 4));
    h.height = qint32(Le(bytes, 22, 4));
    h.bits = Le(bytes, 28, 2);
    h.compression = Le(bytes, 30, 4);
    h.colours = Le(bytes, 46, 4);
  }
  if (h.bits <= 8 && (h.colours == 0 || h.colours > (qint64(1) << h.bits)))
    h.colours = qint64(1) << h.bits;
  return h.width > 0 && h.height != 0;
}

const QString kCut = QStringLiteral("el archivo está incompleto");
const QString kBadIndex = QStringLiteral("usa un color que no está en su paleta");
const QString kOutside = QStringLiteral("sus datos comprimidos se salen de la imagen");

QString PlainProblem(const QByteArray& bytes, const Header& h) {
  const qint64 rowBytes = (h.width * h.bits + 31) / 32 * 4;
  const qint64 rows = qAbs(h.height);
  if (h.dataStart < 0 || h.dataStart + rowBytes * rows > bytes.size()) return kCut;
  if (h.bits > 8) return {};
  const auto* data = reinterpret_cast<const quint8*>(bytes.constData());
  const int mask = (1 << h.bits) - 1;
  for (qint64 y = 0; y < rows; ++y) {
    const quint8* row = data + h.dataStart + y * rowBytes;
    for (qint64 x = 0; x < h.width; ++x) {
      const qint64 bit = x * h.bits;
      const int index = (row[bit / 8] >> (8 - h.bits - bit % 8)) & mask;
      if (index >= h.colours) return kBadIndex;
    }
  }
  return {};
}

// Walks a run-length stream as a reader draws it, without drawing.
QString RunLengthProblem(const QByteArray& bytes, const Header& h) {
  if (h.height < 0) return kOutside;  // compressed bitmaps are stored bottom-up only
  const bool four = h.compression == 2;
  const auto* data = reinterpret_cast<const quint8*>(bytes.constData());
  const qint64 end = bytes.size();
  qint64 at = h.dataStart;
  qint64 x = 0;
  qint64 y = 0;
  auto indexOk = [&](int index) { return index < h.colours; };
  while (true) {
    if (at < 0 || at + 2 > end) return kCut;
    const int count = data[at];
    const int value = data[at + 1];
    at += 2;
    if (count > 0) {  // a run of one colour (two alternating ones in 4 bits)
      if (y >= h.height || x + count > h.width) return kOutside;
      if (four ? !indexOk(value >> 4) || (count > 1 && !indexOk(value & 15)) : !indexOk(value))
        return kBadIndex;
      x += count;
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return {};
    } else if (value == 2) {  // move right and up
      if (at + 2 > end) return kCut;
      x += data[at];
      y += data[at + 1];
      at += 2;
      if (x > h.width || y > h.height) return kOutside;
    } else {  // `value` pixels stored as they are, padded to an even length
      const qint64 stored = four ? (value + 1) / 2 : value;
      if (at + stored + (stored & 1) > end) return kCut;
      if (y >= h.height || x + value > h.width) return kOutside;
      for (int i = 0; i < value; ++i) {
        const int index =
            four ? (i % 2 == 0 ? data[at + i / 2] >> 4 : data[at + i / 2] & 15) : data[at + i];
        if (!indexOk(index)) return kBadIndex;
      }
      x += value;
      at += stored + (stored & 1);
    }
  }
}

}  // namespace

QString BitmapProblem(const QByteArray& bytes) {
  Header h;
  if (!ReadHeader(bytes, h)) return {};  // Qt refuses such a header itself
  const bool plain = h.compression == 0 || h.compression == 3 || h.compression == 6;
  if (plain && h.bits >= 1 && h.bits <= 32) return PlainProblem(bytes, h);
  if ((h.compression == 1 && h.bits == 8) || (h.compression == 2 && h.bits == 4))
    return RunLengthProblem(bytes, h);
  return {};
}

}  // namespace vesperon
