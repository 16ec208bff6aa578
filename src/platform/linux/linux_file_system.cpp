#include "platform/linux/linux_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vesperon {

std::optional<std::vector<FolderEntry>> LinuxFileSystem::ListFolder(const std::string& path) {
  DIR* folder = ::opendir(path.c_str());
  if (folder == nullptr) return std::nullopt;
  std::vector<FolderEntry> entries;
  const int folderFd = ::dirfd(folder);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // The attribute of what the entry leads to: a link to a folder is a folder.
    struct stat info {};
    const bool isFolder =
        ::fstatat(folderFd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    entries.push_back({name, isFolder});
  }
  ::closedir(folder);
  return entries;
}

FileBytes LinuxFileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileBytes result;
  // Non-blocking, so opening a FIFO returns at once; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    result.status = errno == ENOENT || errno == ENOTDIR ? FileReadStatus::Missing
                    : errno == EISDIR                   ? FileReadStatus::NotAFile
                                                        : FileReadStatus::Unreadable;
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    result.status = FileReadStatus::Unreadable;
  } else if (!S_ISREG(info.st_mode)) {
    result.status = FileReadStatus::NotAFile;
  } else if (static_cast<std::size_t>(info.st_size) > maxBytes) {
    result.status = FileReadStatus::TooLarge;
  } else {
    result.status = FileReadStatus::Ok;
    // Read up to one byte past the limit: a file that grew meanwhile is
    // still refused.
    char chunk[8192];
    while (true) {
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.status = FileReadStatus::Unreadable;
        break;
      }
      if (n == 0) break;
      result.bytes.append(chunk, static_cast<std::size_t>(n));
      if (result.bytes.size() > maxBytes) {
        result.status = FileReadStatus::TooLarge;
        break;
      }
    }
  }
  ::close(fd);
  if (result.status != FileReadStatus::Ok) result.bytes.clear();
  return result;
}

}  // namespace vesperon
