#include "skin/picture_checks.h"

#include <cstdint>
#include <cstdlib>

namespace vesperon {

namespace {

std::uint32_t Le(std::string_view bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

std::uint32_t Be(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}

struct Header {
  std::int64_t dataStart = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: stored top row first
  std::uint32_t planes = 0;
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  std::int64_t colours = 0;  // palette entries the header promises
  bool sound = true;         // planes, depth and palette size are possible ones
};

bool ReadHeader(std::string_view bytes, Header& h) {
  if (bytes.size() < 26) return false;
  h.dataStart = Le(bytes, 10, 4);
  const std::uint32_t headerSize = Le(bytes, 14, 4);
  if (headerSize == 12) {
    h.width = Le(bytes, 18, 2);
    h.height = Le(bytes, 20, 2);
    h.planes = Le(bytes, 22, 2);
    h.bits = Le(bytes, 24, 2);
  } else {
    if (bytes.size() < 50) return false;
    h.width = static_cast<std::int32_t>(Le(bytes, 18, 4));
    h.height = static_cast<std::int32_t>(Le(bytes, 22, 4));
    h.planes = Le(bytes, 26, 2);
    h.bits = Le(bytes, 28, 2);
    h.compression = Le(bytes, 30, 4);
    h.colours = Le(bytes, 46, 4);
  }
  const std::uint32_t b = h.bits;
  h.sound = h.planes == 1 && (b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32) &&
            !(b <= 8 && h.colours > (std::int64_t{1} << b));
  if (h.bits <= 8 && (h.colours == 0 || h.colours > (std::int64_t{1} << h.bits)))
    h.colours = std::int64_t{1} << h.bits;
  return h.width > 0 && h.height != 0;
}

const std::string kCut = "el archivo está incompleto";
const std::string kBadIndex = "usa un color que no está en su paleta";
const std::string kOutside = "sus datos comprimidos se salen de la imagen";

std::string PlainProblem(std::string_view bytes, const Header& h) {
  const std::int64_t rowBytes = (h.width * h.bits + 31) / 32 * 4;
  const std::int64_t rows = std::llabs(h.height);
  if (h.dataStart < 0 || h.dataStart + rowBytes * rows > static_cast<std::int64_t>(bytes.size()))
    return kCut;
  if (h.bits > 8) return {};
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const int mask = (1 << h.bits) - 1;
  for (std::int64_t y = 0; y < rows; ++y) {
    const std::uint8_t* row = data + h.dataStart + y * rowBytes;
    for (std::int64_t x = 0; x < h.width; ++x) {
      const std::int64_t bit = x * h.bits;
      const int index = (row[bit / 8] >> (8 - h.bits - bit % 8)) & mask;
      if (index >= h.colours) return kBadIndex;
    }
  }
  return {};
}

// Walks a run-length stream as a reader draws it, without drawing.
std::string RunLengthProblem(std::string_view bytes, const Header& h) {
  if (h.height < 0) return kOutside;  // compressed bitmaps are stored bottom-up only
  const bool four = h.compression == 2;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::int64_t end = static_cast<std::int64_t>(bytes.size());
  std::int64_t at = h.dataStart;
  std::int64_t x = 0;
  std::int64_t y = 0;
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
      const std::int64_t stored = four ? (value + 1) / 2 : value;
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

constexpr std::size_t kIconDirectorySize = 6;
constexpr std::size_t kIconEntrySize = 16;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

// The size the picture of an icon entry claims in its own header.
std::optional<PictureSize> IconEntrySize(std::string_view picture) {
  if (picture.substr(0, kPngSignature.size()) == kPngSignature) {
    if (picture.size() < 24) return std::nullopt;
    const std::uint32_t w = Be(picture, 16);
    const std::uint32_t h = Be(picture, 20);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
    return PictureSize{static_cast<int>(w), static_cast<int>(h)};
  }
  // A bitmap header without its file header; the height counts the colour
  // rows and the mask's.
  if (picture.size() < 12) return std::nullopt;
  const std::int64_t w = static_cast<std::int32_t>(Le(picture, 4, 4));
  const std::int64_t h = static_cast<std::int32_t>(Le(picture, 8, 4));
  if (w <= 0 || h <= 0) return std::nullopt;
  return PictureSize{static_cast<int>(w), static_cast<int>((h + 1) / 2)};
}

}  // namespace

PictureFormat FormatOf(std::string_view bytes) {
  if (bytes.substr(0, 2) == "BM") return PictureFormat::Bitmap;
  if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
    return PictureFormat::Icon;
  return PictureFormat::Unknown;
}

std::optional<PictureSize> BitmapHeaderSize(std::string_view bytes) {
  Header h;
  if (!ReadHeader(bytes, h)) return std::nullopt;
  const std::int64_t height = std::llabs(h.height);
  if (h.width > 0x7FFFFFFF || height > 0x7FFFFFFF) return std::nullopt;
  return PictureSize{static_cast<int>(h.width), static_cast<int>(height)};
}

std::string BitmapProblem(std::string_view bytes) {
  Header h;
  if (!ReadHeader(bytes, h)) return {};  // a reader refuses such a header itself
  // Some readers draw these anyway, each its own way.
  if (!h.sound) return "la cabecera está dañada";
  const bool plain = h.compression == 0 || h.compression == 3 || h.compression == 6;
  if (plain && h.bits >= 1 && h.bits <= 32) return PlainProblem(bytes, h);
  if ((h.compression == 1 && h.bits == 8) || (h.compression == 2 && h.bits == 4))
    return RunLengthProblem(bytes, h);
  return {};
}

bool IconEntryCutShort(std::string_view bytes, int entry) {
  const std::size_t at = kIconDirectorySize + static_cast<std::size_t>(entry) * kIconEntrySize;
  if (entry < 0 || bytes.size() < at + kIconEntrySize) return true;
  const std::uint64_t length = Le(bytes, at + 8, 4);
  const std::uint64_t offset = Le(bytes, at + 12, 4);
  return offset + length > bytes.size();
}

std::string IconProblem(std::string_view bytes) {
  if (bytes.size() < kIconDirectorySize) return kCut;
  const int count = static_cast<int>(Le(bytes, 4, 2));
  if (count == 0) return "el icono no tiene ninguna imagen";
  for (int entry = 0; entry < count; ++entry) {
    if (IconEntryCutShort(bytes, entry)) return kCut;
    const std::size_t at = kIconDirectorySize + static_cast<std::size_t>(entry) * kIconEntrySize;
    const std::string_view picture = bytes.substr(Le(bytes, at + 12, 4), Le(bytes, at + 8, 4));
    const std::optional<PictureSize> size = IconEntrySize(picture);
    if (!size) return "la cabecera está dañada";
    if (std::string problem = SizeProblem(size->width, size->height); !problem.empty())
      return problem;
  }
  return {};
}

std::string SizeProblem(int width, int height) {
  if (width <= kPictureMaxSide && height <= kPictureMaxSide) return {};
  const auto size = [](int w, int h) { return std::to_string(w) + " × " + std::to_string(h); };
  return "mide " + size(width, height) + " píxeles y el máximo es " +
         size(kPictureMaxSide, kPictureMaxSide);
}

}  // namespace vesperon
