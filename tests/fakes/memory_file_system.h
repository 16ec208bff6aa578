#pragma once

#include <map>
#include <string>
#include <vector>

#include "ports/file_system.h"

namespace vesperon {

// Folders and files in memory. A folder lists its entries in the order they
// were added, as a file system returns them in its own order.
class MemoryFileSystem : public FileSystem {
 public:
  std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) override;
  FileBytes ReadFile(const std::string& path, std::size_t maxBytes) override;

  // Parents are made as needed.
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, const std::string& bytes);
  void Remove(const std::string& path);

  // A complete skin in `folder`: every picture at its size, read back by the
  // canned picture loader; `pictures` replaces or adds files ("" removes one).
  void AddSkin(const std::string& folder, const std::map<std::string, std::string>& pictures = {});

 private:
  struct Node {
    bool isFolder = false;
    std::string bytes;
    std::vector<std::string> children;  // names, in the order added
  };
  std::map<std::string, Node> nodes_;
};

}  // namespace vesperon
