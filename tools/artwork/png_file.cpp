#include "png_file.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace artwork {

namespace {

void AppendU32BigEndian(QByteArray& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.append(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t Crc32(const QByteArray& bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes)
    crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void AppendChunk(QByteArray& out, const char* type, const QByteArray& data) {
  AppendU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
  const QByteArray typed = QByteArray(type, 4) + data;
  out += typed;
  AppendU32BigEndian(out, Crc32(typed));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// One scanline filtered each of the five ways; the one whose bytes, read as
// signed, add up smallest usually compresses best.
QByteArray FilteredRow(const QByteArray& row, const QByteArray& previous) {
  constexpr int kBytesPerPixel = 4;
  QByteArray best;
  long bestCost = -1;
  for (int filter = 0; filter <= 4; ++filter) {
    QByteArray line(1, static_cast<char>(filter));
    long cost = 0;
    for (qsizetype i = 0; i < row.size(); ++i) {
      const int x = static_cast<std::uint8_t>(row[i]);
      const int a = i >= kBytesPerPixel ? static_cast<std::uint8_t>(row[i - kBytesPerPixel]) : 0;
      const int b = static_cast<std::uint8_t>(previous[i]);
      const int c =
          i >= kBytesPerPixel ? static_cast<std::uint8_t>(previous[i - kBytesPerPixel]) : 0;
      const int predicted = filter == 1   ? a
                            : filter == 2 ? b
                            : filter == 3 ? (a + b) / 2
                            : filter == 4 ? Paeth(a, b, c)
                                          : 0;
      const auto value = static_cast<std::uint8_t>(x - predicted);
      line.append(static_cast<char>(value));
      cost += value < 128 ? value : 256 - value;
    }
    if (bestCost < 0 || cost < bestCost) {
      best = line;
      bestCost = cost;
    }
  }
  return best;
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
  const int width = image.width();
  const int height = image.height();

  QByteArray header;
  AppendU32BigEndian(header, static_cast<std::uint32_t>(width));
  AppendU32BigEndian(header, static_cast<std::uint32_t>(height));
  header.append(static_cast<char>(8));  // bits per channel
  header.append(static_cast<char>(6));  // colour type: RGBA
  header.append(3, '\0');               // deflate, adaptive filtering, no interlace

  QByteArray scanlines;
  QByteArray previous(width * 4, '\0');
  for (int y = 0; y < height; ++y) {
    QByteArray row;
    for (int x = 0; x < width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      row.append(static_cast<char>(qRed(pixel)));
      row.append(static_cast<char>(qGreen(pixel)));
      row.append(static_cast<char>(qBlue(pixel)));
      row.append(static_cast<char>(qAlpha(pixel)));
    }
    scanlines += FilteredRow(row, previous);
    previous = row;
  }
  // qCompress is a zlib stream behind a four-byte length of Qt's own.
  const QByteArray compressed = qCompress(scanlines, 9).mid(4);

  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  AppendChunk(out, "IHDR", header);
  AppendChunk(out, "IDAT", compressed);
  AppendChunk(out, "IEND", {});
  return out;
}

}  // namespace artwork
