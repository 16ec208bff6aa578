#include "run_length_bitmap.h"

#include <algorithm>

namespace vesperon {

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One row: four pixels stored as they are, then four as runs, and so on.
void PutRow(std::string& out, int bits, const std::vector<int>& row) {
  auto put = [&out](int a, int b) {
    out += static_cast<char>(a);
    out += static_cast<char>(b);
  };
  for (std::size_t at = 0; at < row.size(); at += 4) {
    const int count = static_cast<int>(std::min<std::size_t>(4, row.size() - at));
    const bool literal = at % 8 == 0 && count >= 3;
    if (literal) {
      put(0, count);
      std::string pixels;
      for (int i = 0; i < count; i += bits == 4 ? 2 : 1)
        pixels += static_cast<char>(
            bits == 8 ? row[at + i] : row[at + i] << 4 | (i + 1 < count ? row[at + i + 1] : 0));
      if (pixels.size() % 2 == 1) pixels += '\0';
      out += pixels;
    } else if (bits == 8) {
      for (int i = 0; i < count; ++i) put(1, row[at + i]);
    } else {
      for (int i = 0; i < count; i += 2)
        put(std::min(2, count - i), row[at + i] << 4 | (i + 1 < count ? row[at + i + 1] : 0));
    }
  }
  put(0, 0);
}

}  // namespace

std::uint32_t RunLengthPaletteColour(int index) {
  return static_cast<std::uint32_t>((index * 37 % 256) << 16 | (index * 91 % 256) << 8 |
                                    (255 - index * 13 % 256));
}

std::string RunLengthBitmap(int bits, int width, int height,
                            const std::vector<std::vector<int>>& rows) {
  const int colours = 1 << bits;
  std::string palette;
  for (int i = 0; i < colours; ++i) PutLe(palette, RunLengthPaletteColour(i), 4);
  std::string stream;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) PutRow(stream, bits, *row);
  stream += std::string("\0\1", 2);

  const std::uint32_t offset = 14 + 40 + static_cast<std::uint32_t>(palette.size());
  std::string out = "BM";
  PutLe(out, offset + static_cast<std::uint32_t>(stream.size()), 4);
  PutLe(out, 0, 4);
  PutLe(out, offset, 4);
  for (const std::uint32_t field :
       {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
    PutLe(out, field, 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<std::uint32_t>(bits), 2);
  for (const std::uint32_t field : {bits == 8 ? 1u : 2u, static_cast<std::uint32_t>(stream.size()),
                                    3780u, 3780u, static_cast<std::uint32_t>(colours), 0u})
    PutLe(out, field, 4);
  return out + palette + stream;
}

}  // namespace vesperon
