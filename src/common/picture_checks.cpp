#include "common/picture_checks.h"

#include <algorithm>
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

// The pixels a row of the picture data holds, padding included: its bytes
// are a multiple of four.
std::int64_t RowPixels(const Header& h) { return (h.width * h.bits + 31) / 32 * 32 / h.bits; }

// One step of a run-length stream, as a reader draws it.
struct RunStep {
  enum Kind { Run, Literal, EndOfLine, EndOfPicture, Move } kind;
  std::int64_t at;     // where the step's bytes start
  int count = 0;       // Run and Literal: pixels; Move: pixels right
  int value = 0;       // Run: the colour (two alternating ones in 4 bits); Move: rows up
  std::int64_t x = 0;  // the column the step starts at
};

// Walks a run-length stream as a reader draws it, without drawing, and
// hands each step to `step`. Writers such as ImageMagick run each row on to
// the end of its padding (a 10-pixel row of 8 bits gets 12 pixels); readers
// cut such rows at the width, and so may this stream. A row running past
// its padding, a row above the picture, or a stream that stops short is
// broken.
template <class Step>
std::string WalkRunLengths(std::string_view bytes, const Header& h, Step&& step) {
  if (h.height < 0) return kOutside;  // compressed bitmaps are stored bottom-up only
  const bool four = h.compression == 2;
  const std::int64_t rowPixels = RowPixels(h);
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
    const std::int64_t start = at;
    at += 2;
    if (count > 0) {  // a run of one colour (two alternating ones in 4 bits)
      if (y >= h.height || x + count > rowPixels) return kOutside;
      if (four ? !indexOk(value >> 4) || (count > 1 && !indexOk(value & 15)) : !indexOk(value))
        return kBadIndex;
      step(RunStep{RunStep::Run, start, count, value, x});
      x += count;
    } else if (value == 0) {  // end of line
      step(RunStep{RunStep::EndOfLine, start, 0, 0, x});
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      step(RunStep{RunStep::EndOfPicture, start, 0, 0, x});
      return {};
    } else if (value == 2) {  // move right and up, within the picture
      if (at + 2 > end) return kCut;
      const std::int64_t from = x;
      x += data[at];
      y += data[at + 1];
      at += 2;
      if (x > h.width || y > h.height) return kOutside;
      step(RunStep{RunStep::Move, start, data[start + 2], data[start + 3], from});
    } else {  // `value` pixels stored as they are, padded to an even length
      const std::int64_t stored = four ? (value + 1) / 2 : value;
      if (at + stored + (stored & 1) > end) return kCut;
      if (y >= h.height || x + value > rowPixels) return kOutside;
      for (int i = 0; i < value; ++i) {
        const int index =
            four ? (i % 2 == 0 ? data[at + i / 2] >> 4 : data[at + i / 2] & 15) : data[at + i];
        if (!indexOk(index)) return kBadIndex;
      }
      step(RunStep{RunStep::Literal, start, value, 0, x});
      x += value;
      at += stored + (stored & 1);
    }
  }
}

bool IsRunLength(const Header& h) {
  return (h.compression == 1 && h.bits == 8) || (h.compression == 2 && h.bits == 4);
}

void PutLe(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
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

// The picture of an icon entry that lies whole in the file.
std::string_view IconEntryPicture(std::string_view bytes, int entry) {
  const std::size_t at = kIconDirectorySize + static_cast<std::size_t>(entry) * kIconEntrySize;
  return bytes.substr(Le(bytes, at + 12, 4), Le(bytes, at + 8, 4));
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
  if (IsRunLength(h)) return WalkRunLengths(bytes, h, [](const RunStep&) {});
  return {};
}

std::optional<std::string> RunLengthRowsCut(std::string_view bytes) {
  Header h;
  if (!ReadHeader(bytes, h) || !h.sound || !IsRunLength(h)) return std::nullopt;
  const bool four = h.compression == 2;
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::string stream;
  bool cut = false;
  const std::string problem = WalkRunLengths(bytes, h, [&](const RunStep& s) {
    const int shown = static_cast<int>(std::clamp<std::int64_t>(h.width - s.x, 0, s.count));
    cut = cut || shown < s.count;
    auto put = [&stream](int a, int b) {
      stream += static_cast<char>(a);
      stream += static_cast<char>(b);
    };
    switch (s.kind) {
      case RunStep::Run:
        if (shown > 0) put(shown, s.value);
        break;
      case RunStep::Literal: {
        const std::uint8_t* pixels = data + s.at + 2;
        auto pixel = [&](int i) {
          return four ? (i % 2 == 0 ? pixels[i / 2] >> 4 : pixels[i / 2] & 15) : pixels[i];
        };
        if (shown >= 3) {
          put(0, shown);
          for (int i = 0; i < shown; i += four ? 2 : 1)
            stream += static_cast<char>(four ? pixel(i) << 4 | (i + 1 < shown ? pixel(i + 1) : 0)
                                             : pixel(i));
          if ((four ? (shown + 1) / 2 : shown) % 2 == 1) stream += '\0';
        } else {
          // Fewer than three pixels cannot be stored as they are: one run each.
          for (int i = 0; i < shown; ++i) put(1, four ? pixel(i) << 4 : pixel(i));
        }
        break;
      }
      case RunStep::EndOfLine:
        put(0, 0);
        break;
      case RunStep::EndOfPicture:
        put(0, 1);
        break;
      case RunStep::Move:
        put(0, 2);
        put(s.count, s.value);
        break;
    }
  });
  if (!problem.empty() || !cut) return std::nullopt;

  std::string cutBitmap(bytes.substr(0, static_cast<std::size_t>(h.dataStart)));
  cutBitmap += stream;
  PutLe(cutBitmap, 2, static_cast<std::uint32_t>(cutBitmap.size()));
  if (Le(bytes, 14, 4) >= 40) PutLe(cutBitmap, 34, static_cast<std::uint32_t>(stream.size()));
  return cutBitmap;
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
    if (!IconEntrySize(IconEntryPicture(bytes, entry))) return "la cabecera está dañada";
  }
  return {};
}

std::optional<PictureSize> ClaimedOversize(std::string_view bytes) {
  auto beyond = [](const PictureSize& size) {
    return size.width > kPictureMaxSide || size.height > kPictureMaxSide;
  };
  if (FormatOf(bytes) == PictureFormat::Bitmap) {
    const std::optional<PictureSize> size = BitmapHeaderSize(bytes);
    return size && beyond(*size) ? size : std::nullopt;
  }
  if (FormatOf(bytes) != PictureFormat::Icon || bytes.size() < kIconDirectorySize)
    return std::nullopt;
  const int count = static_cast<int>(Le(bytes, 4, 2));
  for (int entry = 0; entry < count && !IconEntryCutShort(bytes, entry); ++entry) {
    const std::optional<PictureSize> size = IconEntrySize(IconEntryPicture(bytes, entry));
    if (size && beyond(*size)) return size;
  }
  return std::nullopt;
}

std::string SizeProblem(int width, int height) {
  if (width <= kPictureMaxSide && height <= kPictureMaxSide) return {};
  const auto size = [](int w, int h) { return std::to_string(w) + " × " + std::to_string(h); };
  return "mide " + size(width, height) + " píxeles y el máximo es " +
         size(kPictureMaxSide, kPictureMaxSide);
}

}  // namespace vesperon
