#pragma once

#include <string>

#include "forms/picture.h"

namespace vesperon {

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // One of the pictures the program carries, by file name ("0.bmp",
  // "skin-base.bmp", "tray1.ico", ...). Empty when there is no such picture.
  virtual Picture BuiltIn(const std::string& name) = 0;
};

}  // namespace vesperon
