#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vesperon {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Each byte as the Windows-1252 character it stands for, in UTF-8. The five
// bytes that code page leaves unassigned become the C1 controls of the same
// number, as Windows converts them.
std::string Windows1252ToUtf8(std::string_view bytes);

// A text file written on either system, as UTF-8: a UTF-8 byte-order mark is
// skipped; the rest is taken as UTF-8 when it is valid UTF-8, else as
// Windows-1252, the code page such files are written in on Windows.
std::string TextFileToUtf8(std::string_view bytes);

// A file or folder name (or a path) as the file system spells it, as UTF-8
// text to show: as it is when it is UTF-8, the encoding of the user's locale
// and of every name the Windows file system gives; else each byte as its
// Windows-1252 character, the code page of zips and disks made on older
// Windows systems (Caf\xE9 shows as Café). Only for showing: the name
// itself is kept as it was to find the file again.
std::string NameToUtf8(std::string_view name);

// The first `characters` characters of valid UTF-8 text.
std::string FirstCharacters(const std::string& utf8, std::size_t characters);

}  // namespace vesperon
