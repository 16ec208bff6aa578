#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesperon {

// The core speaks UTF-8; Windows speaks UTF-16. Every text that crosses goes
// through these two, so a folder named in any script survives the trip.

// nullopt when the bytes are not UTF-8: such a text has no faithful UTF-16
// form, and is refused rather than stored with replacement characters.
std::optional<std::wstring> Widen(std::string_view utf8);

// Unpaired surrogates, which Windows allows in names, become U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace vesperon
