#include "platform/win32/diagnostic_log.h"

#include <windows.h>
// windows.h first: the shell header needs its types.
#include <shlobj.h>

#include <cstdio>
#include <system_error>

namespace vesperon {

DiagnosticLog::DiagnosticLog(std::filesystem::path logFile) : logFile_(std::move(logFile)) {}

std::filesystem::path DiagnosticLog::DefaultLogFile() {
  PWSTR folder = nullptr;
  std::filesystem::path file;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK)
    file = std::filesystem::path(folder) / L"Vesperon" / L"vesperon.log";
  CoTaskMemFree(folder);
  return file;
}

void DiagnosticLog::Report(const std::string& line) {
  if (!WriteStandardError(line)) AppendToLogFile(line);
}

bool DiagnosticLog::WriteStandardError(const std::string& line) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) return false;
  const std::string text = line + "\n";
  DWORD written = 0;
  return WriteFile(error, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

void DiagnosticLog::AppendToLogFile(const std::string& line) {
  if (logFile_.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(logFile_.parent_path(), ignored);
  const HANDLE file = CreateFileW(logFile_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth,
                now.wDay, now.wHour, now.wMinute, now.wSecond);
  // One write per line: two copies appending at once never interleave halves.
  const std::string text = stamp + line + "\r\n";
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace vesperon
