#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ports/environment.h"

namespace vesperon {

class InstancePipe;

// The running program on Windows: its command line, its file, and the named
// mutex that keeps it to one copy in the user's session. The mutex lives as
// long as this object; Windows drops it when the process ends however it
// ends, so a crash never blocks the next start. Beside it, the holder
// listens for later starts (InstancePipe).
class Win32Environment : public Environment {
 public:
  // The process's own command line, mutex and pipe names by default; tests
  // pass their own.
  explicit Win32Environment(std::wstring commandLine = GetCommandLineW(),
                            std::wstring mutexName = SingleInstanceMutexName(),
                            std::wstring pipeName = LaterStartsPipeName());
  ~Win32Environment() override;
  Win32Environment(const Win32Environment&) = delete;
  Win32Environment& operator=(const Win32Environment&) = delete;

  // In this session's namespace and named after the user's security
  // identifier: another user's copy, even in the same session, is no
  // reason not to start.
  static std::wstring SingleInstanceMutexName();
  // Pipe names are the machine's, not the session's: this one names both
  // the session and the user.
  static std::wstring LaterStartsPipeName();

  std::string ArgumentText() override;
  // Makes the mutex on the first call and answers the same afterwards.
  bool PrevInstance() override;
  std::string ProgramFilePath() override;
  bool VisibleFileExists(const std::string& path) override;
  std::optional<std::string> AskRunningCopy(const std::string& request,
                                            std::chrono::milliseconds deadline) override;
  void AnswerLaterStarts(RequestHandler answer) override;
  // A detached process (no console, no handles of ours) of this program
  // file, with the command line a start with Windows has.
  bool StartHiddenCopy() override;
  // Until the mutex is gone.
  bool WaitUntilNoCopyRuns() override;

 private:
  bool MutexHeldElsewhere();

  std::wstring commandLine_;
  std::wstring mutexName_;
  std::wstring pipeName_;
  std::optional<bool> prevInstance_;
  HANDLE mutex_ = nullptr;
  std::unique_ptr<InstancePipe> pipe_;
};

// The security identifier of the user this process runs as, as text
// ("S-1-5-21-..."); empty when it cannot be read.
std::wstring CurrentUserSid();
// The same for another process, by its id; empty when it cannot be read.
std::wstring UserSidOfProcess(DWORD processId);

// What follows the program's name on a command line, read by Windows' rules:
// the name runs to the closing quote when it starts with one, else to the
// first blank or tab; the blanks and tabs after it are not part of the
// arguments.
std::wstring_view ArgumentsOf(std::wstring_view commandLine);

}  // namespace vesperon
