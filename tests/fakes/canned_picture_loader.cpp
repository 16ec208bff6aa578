#include "canned_picture_loader.h"

#include "builtin_picture_sizes.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace vesperon {


Picture CannedPictureLoader::BuiltIn(const std::string& name) {
  requests.push_back(name);
  if (std::find(missing.begin(), missing.end(), name) != missing.end()) return {};
  const auto size = BuiltInPictureSizes().find(name);
  if (size == BuiltInPictureSizes().end()) return {};
  auto& picture = made_[name];
  if (picture.IsEmpty()) {
    // The payload carries the name, which helps when a test prints a face.
    picture = Picture::Make(size->second.first, size->second.second,
                            std::make_shared<const std::string>(name));
  }
  return picture;
}

}  // namespace vesperon
