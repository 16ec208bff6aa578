#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/file_system.h"
#include "ports/picture_loader.h"
#include "skin/skin_library.h"

namespace vesperon {

// The files of one skin, each found by its fixed name whatever its letter
// case on disk. The folder is listed once, when this is made.
class SkinFiles {
 public:
  SkinFiles(SkinLibrary& library, PictureLoader& pictures, const std::string& name);

  // Whether a Skins folder holds a skin of that name.
  bool Found() const { return folder_.has_value(); }

  // The full path of the file as found on disk; for a missing file, the path
  // it would have.
  std::string PathOf(const std::string& file) const;

  // Loads the file. On failure, `description` says what went wrong, with
  // the path, in the program's words (and in UTF-8, whatever the path's
  // bytes).
  LoadedPicture Load(const std::string& file, std::string& description);

 private:
  PictureLoader& pictures_;
  std::string name_;
  std::optional<SkinFolder> folder_;
  std::vector<FolderEntry> entries_;
};

}  // namespace vesperon
