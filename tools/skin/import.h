#pragma once

#include <optional>
#include <string>

namespace vesperon::skintool {

struct ImportOptions {
  std::string source;       // a folder of pictures named like the skin's files
  std::string destination;  // the skin folder to make
  std::optional<std::string> name;
  std::optional<std::string> author;
  std::optional<std::string> description;
  bool fit = false;  // scale pictures of another size instead of refusing them
};

// Makes a skin from pictures in any format Qt reads: the exact file set, as
// 24-bit bitmaps and icons of 16 × 16 and 32 × 32, with a skin.ini; then
// checks it as `check` does. Nothing is written unless every picture can
// be made. The exit status: 0 when the clock takes the new skin.
int Import(const ImportOptions& options);

}  // namespace vesperon::skintool
