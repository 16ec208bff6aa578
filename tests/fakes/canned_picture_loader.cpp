#include "canned_picture_loader.h"

#include <algorithm>
#include <memory>

namespace vesperon {

Picture CannedPictureLoader::BuiltIn(const std::string& name) {
  requests.push_back(name);
  if (std::find(missing.begin(), missing.end(), name) != missing.end()) return {};
  auto found = pictures_.find(name);
  if (found == pictures_.end()) {
    // Unknown names get a 1 x 1 picture; its payload carries the name.
    Add(name, 1, 1);
    found = pictures_.find(name);
  }
  return found->second;
}

void CannedPictureLoader::Add(const std::string& name, int widthPx, int heightPx) {
  pictures_[name] = Picture::Make(widthPx, heightPx, std::make_shared<const std::string>(name));
}

}  // namespace vesperon
