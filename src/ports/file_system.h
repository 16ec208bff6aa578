#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vesperon {

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // the directory attribute, links followed
};

enum class FileReadStatus {
  Ok,
  Missing,     // nothing at that path
  NotAFile,    // a folder, a FIFO, a device, a socket
  TooLarge,    // more bytes than the caller accepts
  Unreadable,  // there, but the system refused to read it
};

struct FileBytes {
  FileReadStatus status = FileReadStatus::Missing;
  std::string bytes;
};

// The files the program reads besides its settings: skin folders and the
// files in them.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The entries of a folder in the order the file system returns them,
  // without "." and ".."; nullopt when path is no folder that can be read.
  virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path) = 0;
  // The bytes of a plain file of at most maxBytes. Anything else is refused
  // without being read, so a FIFO or a device can never block the caller.
  virtual FileBytes ReadFile(const std::string& path, std::size_t maxBytes) = 0;
};

}  // namespace vesperon
