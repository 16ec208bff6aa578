#pragma once

#include <QImage>
#include <map>
#include <string>

#include "ports/file_system.h"
#include "ports/picture_loader.h"

namespace vesperon {

// Pictures as QImage payloads. The built-in ones come from the program's
// resources; each is loaded once and handed out as the same picture. Files
// are read whole through `files`, at most 4 MiB of them, and decoded from
// memory; their paths are the file system's own bytes, whatever their
// encoding.
class QtPictureLoader : public PictureLoader {
 public:
  explicit QtPictureLoader(FileSystem& files);
  Picture BuiltIn(const std::string& name) override;
  LoadedPicture LoadFile(const std::string& path) override;

 private:
  FileSystem& files_;
  std::map<std::string, Picture> builtIn_;
};

// The QImage behind a picture made by this loader; null for an empty picture.
const QImage* ImageOf(const Picture& picture);

}  // namespace vesperon
