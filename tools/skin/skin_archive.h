#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vesperon::skintool {

// What a skin's zip may hold. A skin's 25 files come to well under a
// megabyte; the bounds keep what a hostile archive can make this program
// read, write and hold to a few megabytes.
inline constexpr int kArchiveMaxEntries = 64;
inline constexpr std::size_t kArchiveEntryMaxBytes = 4 * 1024 * 1024;
inline constexpr std::size_t kArchiveMaxBytes = 16 * 1024 * 1024;

struct UnpackedSkin {
  // Why the archive is refused, in the program's words; empty when it is not.
  std::string error;
  // The archive's single top folder, when every entry lies in one (an
  // archive made on macOS may add __MACOSX beside it); empty otherwise.
  std::string folder;
  // The skin's own files (its pictures and skin.ini) found directly in that
  // folder, or at the top when there is none: by their fixed names, in
  // lower case, whatever their letter case in the archive.
  std::map<std::string, std::string> files;
  // Every other entry that is a file, by its path in the archive.
  std::vector<std::string> skipped;
};

// The skin in the bytes of a zip archive, read with libarchive into memory.
// The archive is refused as a whole when an entry's path would leave the
// folder it is unpacked into (a ".." part, an absolute path, a drive), when
// an entry is a link, a device or anything but a file or folder, when it is
// encrypted, damaged or cut short, or when it holds more than 64 entries,
// or a file of the skin holds more than 4 MiB, or they all more than
// 16 MiB: each bound is checked while reading, never trusting what the
// archive says of itself. Nothing is written anywhere.
UnpackedSkin UnpackSkin(std::string_view archive);

}  // namespace vesperon::skintool
