// Unpacking a skin's zip from arbitrary bytes: it may refuse them, but never
// crash, hang or read out of bounds, and what it keeps is always within the
// bounds: the skin's own file names, 4 MiB a file, 16 MiB in all, 64
// entries, and a folder name that is one plain part of a path.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "skin/skin_format.h"
#include "skin_archive.h"

namespace {

bool IsSkinFile(const std::string& name) {
  if (name == vesperon::kSkinIni) return true;
  for (const vesperon::SkinPictureFile& file : vesperon::kSkinFiles)
    if (name == file.name) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vesperon::skintool;
  const UnpackedSkin skin = UnpackSkin({reinterpret_cast<const char*>(data), size});
  if (!skin.error.empty()) {
    if (!skin.files.empty() || !skin.skipped.empty()) std::abort();  // nothing half kept
    return 0;
  }
  std::size_t total = 0;
  for (const auto& [name, bytes] : skin.files) {
    if (!IsSkinFile(name) || bytes.size() > kArchiveEntryMaxBytes) std::abort();
    total += bytes.size();
  }
  if (total > kArchiveMaxBytes) std::abort();
  if (skin.files.size() + skin.skipped.size() > static_cast<std::size_t>(kArchiveMaxEntries))
    std::abort();
  const std::string& folder = skin.folder;
  if (folder == "." || folder == ".." || folder.find_first_of("/\\") != std::string::npos)
    std::abort();
  return 0;
}
