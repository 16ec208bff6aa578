#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/picture_loader.h"

namespace vesperon {

// Hands out one distinct picture per built-in name, always the same handle for
// the same name, so tests can tell faces apart by identity. Names listed in
// `missing` come back empty, as a loader that does not carry them would.
class CannedPictureLoader : public PictureLoader {
 public:
  Picture BuiltIn(const std::string& name) override;

  // Builds the picture for `name` now with the given pixel size.
  void Add(const std::string& name, int widthPx, int heightPx);

  std::vector<std::string> missing;
  // Every name asked for, in order.
  std::vector<std::string> requests;

 private:
  std::map<std::string, Picture> pictures_;
};

}  // namespace vesperon
