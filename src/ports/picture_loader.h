#pragma once

#include <string>

#include "ports/picture.h"

namespace vesperon {

enum class PictureLoadError {
  None,
  Missing,     // no file at that path
  Unreadable,  // a file, but not a picture this program accepts
};

struct LoadedPicture {
  Picture picture;  // empty unless error is None
  PictureLoadError error = PictureLoadError::None;
  std::string reason;  // why it failed, in the program's words; empty on success
  // Unreadable because it is larger than the program reads (over 4 MiB, or
  // a side over 1024 pixels): a size the user can do something about. The
  // size in pixels it claims; 0 × 0 for a file too large to be read at all.
  bool tooLarge = false;
  int claimedWidth = 0;
  int claimedHeight = 0;
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // One of the pictures the program carries, by file name ("0.bmp",
  // "skin-base.bmp", "tray1.ico", ...). Empty when there is no such picture.
  virtual Picture BuiltIn(const std::string& name) = 0;
  // A bitmap or icon file. Each call reads the file afresh and hands out a
  // new picture.
  virtual LoadedPicture LoadFile(const std::string& path) = 0;
};

}  // namespace vesperon
