// The profile reader on arbitrary bytes: the five lookups a skin panel makes
// never crash and always hand back valid UTF-8 of at most 199 characters.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/mod_ini.h"
#include "common/text_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::pair<const char*, const char*> lookups[] = {{"skin", "name"},
                                                         {"skin", "version"},
                                                         {"autor", "name"},
                                                         {"autor", "email"},
                                                         {"autor", "web"}};
  for (const auto& [section, key] : lookups) {
    const std::string value = vesperon::ProfileValue(bytes, section, key);
    if (!vesperon::IsValidUtf8(value)) std::abort();
    if (vesperon::FirstCharacters(value, vesperon::kIniValueMaxCharacters) != value) std::abort();
  }
  return 0;
}
