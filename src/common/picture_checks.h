#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vesperon {

// The checks a picture file from a skin passes before any reader of the
// system decodes it, whichever system that is. A skin's largest picture is
// 171 × 128; the bounds leave room for odd icons while keeping every
// allocation a hostile file can cause to a few megabytes.
inline constexpr int kPictureMaxSide = 1024;
inline constexpr std::size_t kPictureFileMaxBytes = 4 * 1024 * 1024;

enum class PictureFormat { Unknown, Bitmap, Icon };

// What the first bytes say the file is.
PictureFormat FormatOf(std::string_view bytes);

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The size a bitmap's header claims (a top-down bitmap's height made
// positive); nullopt when the header is cut short or claims no picture.
std::optional<PictureSize> BitmapHeaderSize(std::string_view bytes);

// What is wrong with a Windows bitmap that a reader would still draw (they
// fill in what is missing and clamp what is out of range): a header with
// impossible planes, depth or palette size, data that ends
// before the picture does, a palette index past the palette, a run-length
// stream that runs outside its rows or above the picture, or stops short.
// Empty when nothing is. Rows of a run-length stream that go on past the
// width into the row's padding are no problem: writers such as ImageMagick
// make them, and readers cut them at the width. Reads only the header and
// the picture data; allocates nothing.
std::string BitmapProblem(std::string_view bytes);

// A run-length bitmap without a problem whose rows go on past the width,
// with those rows cut at the width: the same picture, which every reader
// draws alike (some would write the extra pixels into the next row).
// nullopt when no row goes past the width, or the file is no such bitmap.
std::optional<std::string> RunLengthRowsCut(std::string_view bytes);

// The picture of the icon's directory entry `entry` does not lie whole
// within the file.
bool IconEntryCutShort(std::string_view bytes, int entry);

// What is wrong with an icon file when the system's reader picks the entry
// to show by itself: an empty directory, an entry whose picture lies outside
// the file, or one whose own header (bitmap or PNG) is damaged. Empty when
// nothing is.
std::string IconProblem(std::string_view bytes);

// The size a picture file claims when it is beyond the bound: a bitmap's,
// or that of the first icon entry (of those lying whole in the file) that
// claims more. nullopt when nothing does.
std::optional<PictureSize> ClaimedOversize(std::string_view bytes);

// "mide W × H píxeles y el máximo es 1024 × 1024" when the size is beyond
// the bound; empty otherwise.
std::string SizeProblem(int width, int height);

}  // namespace vesperon
