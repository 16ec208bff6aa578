#include "skin/skin_files.h"

#include "common/text_encoding.h"

namespace vesperon {

SkinFiles::SkinFiles(SkinLibrary& library, PictureLoader& pictures, const std::string& name)
    : pictures_(pictures), name_(name), folder_(library.Find(name)) {
  if (!folder_) return;
  if (auto entries = library.Files().ListFolder(folder_->path)) entries_ = std::move(*entries);
}

std::string SkinFiles::PathOf(const std::string& file) const {
  if (!folder_) return file;
  const auto real = MatchIgnoringCase(entries_, file, false);
  return JoinPath(folder_->path, real ? *real : file);
}

LoadedPicture SkinFiles::Load(const std::string& file, std::string& description) {
  LoadedPicture result;
  if (!folder_) {
    result.error = PictureLoadError::Missing;
    description = "No se encuentra el skin '" + NameToUtf8(name_) + "' en ninguna carpeta Skins";
    return result;
  }
  const std::string path = PathOf(file);
  if (!MatchIgnoringCase(entries_, file, false)) {
    result.error = PictureLoadError::Missing;
  } else {
    result = pictures_.LoadFile(path);
  }
  if (result.error == PictureLoadError::Missing)
    description = "No se encuentra el archivo " + NameToUtf8(path);
  else if (result.error == PictureLoadError::Unreadable)
    description = "No se puede leer el archivo " + NameToUtf8(path) + ": " + result.reason;
  return result;
}

}  // namespace vesperon
