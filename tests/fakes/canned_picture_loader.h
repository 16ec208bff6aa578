#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/picture_loader.h"

namespace vesperon {

// Hands out one distinct picture per built-in name, at the size the program's
// own picture has, and always the same handle for the same name, so tests can
// tell faces apart by identity. Unknown names come back empty, as from the
// real loader; so do names listed in `missing`.
class CannedPictureLoader : public PictureLoader {
 public:
  Picture BuiltIn(const std::string& name) override;

  std::vector<std::string> missing;
  // Every name asked for, in order.
  std::vector<std::string> requests;

 private:
  std::map<std::string, Picture> made_;
};

}  // namespace vesperon
