#pragma once

#include "ports/file_system.h"

namespace vesperon {

// Folders and small files through the wide Win32 calls, so folders named in
// any script work.
class Win32FileSystem : public FileSystem {
 public:
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
  FileBytes ReadFile(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace vesperon
