#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/file_system.h"
#include "ports/picture_loader.h"

namespace vesperon {

// Hands out one distinct picture per built-in name, at the size the program's
// own picture has, and always the same handle for the same name, so tests can
// tell faces apart by identity. Unknown names come back empty, as from the
// real loader; so do names listed in `missing`.
//
// Files are read through `files`: a file holding "picture WxH" is a W × H
// picture (a new one at each load), too large with a side over 1024;
// anything else is unreadable.
class CannedPictureLoader : public PictureLoader {
 public:
  Picture BuiltIn(const std::string& name) override;
  LoadedPicture LoadFile(const std::string& path) override;

  FileSystem* files = nullptr;
  // Every file path loaded, in order.
  std::vector<std::string> loads;

  std::vector<std::string> missing;
  // Every name asked for, in order.
  std::vector<std::string> requests;

 private:
  std::map<std::string, Picture> made_;
};

}  // namespace vesperon
