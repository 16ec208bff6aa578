#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace vesperon {

// Runs this thread's message loop until done() holds; false if it still did
// not after `limit`, which is a guard against a hang, not a measurement.
inline bool PumpMessagesUntil(const std::function<bool()>& done,
                              std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(limit.count());
  while (!done()) {
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

// A fresh folder under the temporary folder, removed with what it holds.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::wstring& name) {
    path_ = std::filesystem::temp_directory_path() /
            (name + L" " + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// This process's standard error handle pointed at a file (or at nothing)
// while alive.
class StandardErrorRedirect {
 public:
  // No file: the process has no standard error, as one started from the desktop.
  explicit StandardErrorRedirect(const std::filesystem::path& file = {})
      : saved_(GetStdHandle(STD_ERROR_HANDLE)) {
    if (!file.empty())
      file_ = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    SetStdHandle(STD_ERROR_HANDLE, file_ == INVALID_HANDLE_VALUE ? nullptr : file_);
  }
  ~StandardErrorRedirect() {
    SetStdHandle(STD_ERROR_HANDLE, saved_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  StandardErrorRedirect(const StandardErrorRedirect&) = delete;
  StandardErrorRedirect& operator=(const StandardErrorRedirect&) = delete;

 private:
  HANDLE saved_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace vesperon
