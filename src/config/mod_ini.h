#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ports/file_system.h"

namespace vesperon {

// The longest value the profile reader hands back, in characters: the rest
// of a longer value is cut, as a 200-character buffer cuts it.
inline constexpr std::size_t kIniValueMaxCharacters = 199;

// A description file larger than this is no description file: it reads as
// empty, without being read at all.
inline constexpr std::size_t kIniFileMaxBytes = 64 * 1024;

// The value of `key` in [section] of the profile file at `path`, in UTF-8.
// Empty when the file, the section or the key is missing, and when the file
// is not a small text file (a folder, a FIFO, binary, too large).
std::string LeerIni(FileSystem& files, const std::string& path, const std::string& section,
                    const std::string& key);

// The same lookup in the file's bytes. Section and key names are compared
// without regard to letter case; the first section of that name is the one
// looked in, and the first key of that name in it wins. Blanks round the
// value go, then one pair of matching double or single quotes.
std::string ProfileValue(std::string_view fileBytes, std::string_view section,
                         std::string_view key);

}  // namespace vesperon
