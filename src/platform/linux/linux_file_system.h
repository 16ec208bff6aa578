#pragma once

#include "ports/file_system.h"

namespace vesperon {

// Folders and small files through POSIX calls.
class LinuxFileSystem : public FileSystem {
 public:
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
  FileBytes ReadFile(const std::string& path, std::size_t maxBytes) override;
};

}  // namespace vesperon
