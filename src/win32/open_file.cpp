#include "win32/open_file.h"

#include <algorithm>

#include "win32/wide_text.h"

namespace vesperon {

OpenFile::OpenFile(const std::string& utf8Path) {
  const auto wide = Widen(utf8Path);
  if (!wide || wide->empty()) return;
  widePath_ = *wide;
  const DWORD attributes = GetFileAttributesW(widePath_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    status_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Missing : Refused;
    return;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    status_ = NotAFile;
    return;
  }
  // Shared for reading only: no writer, no rename, no delete while open.
  handle_ = CreateFileW(widePath_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    status_ = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Missing : Refused;
    return;
  }
  // A device name ("con", "nul") or a pipe opens too; only disk files count.
  status_ = GetFileType(handle_) == FILE_TYPE_DISK ? Opened : NotAFile;
}

OpenFile::~OpenFile() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

OpenFile::ReadStatus OpenFile::Read(std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  if (status_ != Opened) return ReadFailed;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle_, &size)) return ReadFailed;
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ReadTooLarge;
  // One byte more than allowed tells a file that is longer than it said.
  bytes.resize(maxBytes + 1);
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1 << 20));
    DWORD got = 0;
    if (!::ReadFile(handle_, bytes.data() + filled, chunk, &got, nullptr)) {
      bytes.clear();
      return ReadFailed;
    }
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  if (filled > maxBytes) {
    bytes.clear();
    return ReadTooLarge;
  }
  return ReadOk;
}

}  // namespace vesperon
