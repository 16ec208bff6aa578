#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>

#include "platform/win32/diagnostic_log.h"
#include "win32/message_window.h"
#include "ports/power_api.h"

namespace vesperon {

// The five calls of a power-off, typed as Windows types them. The adapter is
// handed them: the program passes the system's own, the tests a recorder that
// can never switch anything off.
struct PowerCalls {
  std::function<HANDLE()> getCurrentProcess;
  std::function<BOOL(HANDLE process, DWORD desiredAccess, PHANDLE token)> openProcessToken;
  std::function<BOOL(LPCSTR systemName, LPCSTR name, PLUID luid)> lookupPrivilegeValueA;
  std::function<BOOL(HANDLE token, BOOL disableAllPrivileges, PTOKEN_PRIVILEGES newState,
                     DWORD bufferLength, PTOKEN_PRIVILEGES previousState, PDWORD returnLength)>
      adjustTokenPrivileges;
  std::function<BOOL(UINT flags, DWORD reason)> exitWindowsEx;
};

// The system's own calls: the one way this program can switch the machine
// off. Defined apart (system_power_calls.cpp) and left out of the tests.
PowerCalls SystemPowerCalls();

// The system's token calls, and no ExitWindowsEx.
PowerCalls SystemTokenCalls();

// The system's calls but the last, which only writes to the log what it
// would have asked for. The privilege steps are real: they change nothing
// but this process's token.
PowerCalls DryRunPowerCalls(DiagnosticLog log);

// The power-off port on the calls it is given. A request that Windows
// refuses (ExitWindowsEx returns FALSE) is written to the log and handed to
// onFailure from this thread's message loop, never inside the request.
class Win32PowerApi final : public PowerApi {
 public:
  using FailureHandler = std::function<void(const std::string& reason)>;

  Win32PowerApi(PowerCalls calls, DiagnosticLog log, FailureHandler onFailure);
  Win32PowerApi(const Win32PowerApi&) = delete;
  Win32PowerApi& operator=(const Win32PowerApi&) = delete;

  Handle GetCurrentProcess() override;
  bool OpenProcessToken(Handle process, std::uint32_t desiredAccess, Handle& token) override;
  bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                             Luid& luid) override;
  bool AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                             const TokenPrivileges& newState, std::uint32_t bufferLength,
                             TokenPrivileges& previousState, std::uint32_t& returnLength) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;

 private:
  bool DeliverFailures(UINT message);

  PowerCalls calls_;
  DiagnosticLog log_;
  FailureHandler onFailure_;
  std::deque<std::string> failures_;
  MessageWindow mailbox_;
};

// The system's text for an error code, e.g. "Access is denied. (error 5)".
std::string SystemErrorText(DWORD error);

}  // namespace vesperon
