#include "canned_picture_loader.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

#include "builtin_picture_sizes.h"

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

LoadedPicture CannedPictureLoader::LoadFile(const std::string& path) {
  loads.push_back(path);
  LoadedPicture result;
  const FileBytes file = files ? files->ReadFile(path, 1 << 20) : FileBytes{};
  if (file.status == FileReadStatus::Missing) {
    result.error = PictureLoadError::Missing;
    result.reason = "no existe";
    return result;
  }
  int w = 0;
  int h = 0;
  char end = 0;
  if (file.status != FileReadStatus::Ok ||
      std::sscanf(file.bytes.c_str(), "picture %dx%d%c", &w, &h, &end) != 2) {
    result.error = PictureLoadError::Unreadable;
    result.reason = "dañada";
    return result;
  }
  if (w > 1024 || h > 1024) {  // beyond what the real loaders read
    result.error = PictureLoadError::Unreadable;
    result.reason = "demasiado grande";
    result.tooLarge = true;
    result.claimedWidth = w;
    result.claimedHeight = h;
    return result;
  }
  result.picture = Picture::Make(w, h, std::make_shared<const std::string>(path));
  return result;
}

}  // namespace vesperon
