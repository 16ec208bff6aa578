#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "ports/environment.h"

namespace vesperon {

// The running program on Windows: its command line, its file, and the named
// mutex that keeps it to one copy in the user's session. The mutex lives as
// long as this object; Windows drops it when the process ends however it
// ends, so a crash never blocks the next start.
class Win32Environment : public Environment {
 public:
  // The process's own command line and mutex name by default; tests pass
  // their own.
  explicit Win32Environment(std::wstring commandLine = GetCommandLineW(),
                            std::wstring mutexName = SingleInstanceMutexName());
  ~Win32Environment() override;
  Win32Environment(const Win32Environment&) = delete;
  Win32Environment& operator=(const Win32Environment&) = delete;

  // In this session's namespace and named after the user's security
  // identifier: another user's copy, even in the same session, is no
  // reason not to start.
  static std::wstring SingleInstanceMutexName();

  std::string ArgumentText() override;
  // Makes the mutex on the first call and answers the same afterwards.
  bool PrevInstance() override;
  std::string ProgramFilePath() override;
  bool VisibleFileExists(const std::string& path) override;

 private:
  bool MutexHeldElsewhere();

  std::wstring commandLine_;
  std::wstring mutexName_;
  std::optional<bool> prevInstance_;
  HANDLE mutex_ = nullptr;
};

// What follows the program's name on a command line, read by Windows' rules:
// the name runs to the closing quote when it starts with one, else to the
// first blank or tab; the blanks and tabs after it are not part of the
// arguments.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

}  // namespace vesperon
