#pragma once

#include <QImage>
#include <map>
#include <string>

#include "ports/picture_loader.h"

namespace vesperon {

// Pictures as QImage payloads. The built-in ones come from the program's
// resources; each is loaded once and handed out as the same picture. Files
// are read whole, at most 4 MiB of them, and decoded from memory.
class QtPictureLoader : public PictureLoader {
 public:
  QtPictureLoader();
  Picture BuiltIn(const std::string& name) override;
  LoadedPicture LoadFile(const std::string& path) override;

 private:
  std::map<std::string, Picture> builtIn_;
};

// The QImage behind a picture made by this loader; null for an empty picture.
const QImage* ImageOf(const Picture& picture);

}  // namespace vesperon
