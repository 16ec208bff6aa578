#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "win32/open_file.h"
#include "win32/wide_text.h"

namespace vesperon {

std::optional<std::vector<FolderEntry>> Win32FileSystem::ListFolder(const std::string& path) {
  const auto folder = Widen(path);
  if (!folder || folder->empty()) return std::nullopt;
  const wchar_t last = folder->back();
  const std::wstring pattern = *folder + (last == L'\\' || last == L'/' ? L"*" : L"\\*");
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    // An empty drive root has no "." to find; every other folder has.
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<FolderEntry>{};
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    // A link to a folder carries the folder's attribute itself.
    entries.push_back({Narrow(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

FileBytes Win32FileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  FileBytes result;
  OpenFile file(path);
  switch (file.Status()) {
    case OpenFile::Opened:
      break;
    case OpenFile::Missing:
      result.status = FileReadStatus::Missing;
      return result;
    case OpenFile::NotAFile:
      result.status = FileReadStatus::NotAFile;
      return result;
    case OpenFile::Refused:
      result.status = FileReadStatus::Unreadable;
      return result;
  }
  switch (file.Read(maxBytes, result.bytes)) {
    case OpenFile::ReadOk:
      result.status = FileReadStatus::Ok;
      break;
    case OpenFile::ReadTooLarge:
      result.status = FileReadStatus::TooLarge;
      break;
    case OpenFile::ReadFailed:
      result.status = FileReadStatus::Unreadable;
      break;
  }
  if (result.status != FileReadStatus::Ok) result.bytes.clear();
  return result;
}

}  // namespace vesperon
