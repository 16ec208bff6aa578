#include "platform/win32/win32_power_api.h"

#include <cstdio>

#include "win32/wide_text.h"

namespace vesperon {

namespace {

static_assert(sizeof(TOKEN_PRIVILEGES) == sizeof(TokenPrivileges),
              "the record has the system's layout");

constexpr UINT kDeliverFailures = WM_APP + 1;

HANDLE ToHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle FromHandle(HANDLE handle) { return reinterpret_cast<Handle>(handle); }

TOKEN_PRIVILEGES ToSystem(const TokenPrivileges& record) {
  TOKEN_PRIVILEGES system{};
  system.PrivilegeCount = record.privilegeCount;
  system.Privileges[0].Luid.LowPart = record.luid.lowPart;
  system.Privileges[0].Luid.HighPart = record.luid.highPart;
  system.Privileges[0].Attributes = record.attributes;
  return system;
}

TokenPrivileges FromSystem(const TOKEN_PRIVILEGES& system) {
  TokenPrivileges record;
  record.privilegeCount = system.PrivilegeCount;
  record.luid = {system.Privileges[0].Luid.LowPart, system.Privileges[0].Luid.HighPart};
  record.attributes = system.Privileges[0].Attributes;
  return record;
}

}  // namespace

std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
    text.pop_back();
  std::string result = Narrow(text);
  if (!result.empty()) result += ' ';
  return result + "(error " + std::to_string(error) + ")";
}

PowerCalls SystemTokenCalls() {
  PowerCalls calls;
  calls.getCurrentProcess = [] { return ::GetCurrentProcess(); };
  calls.openProcessToken = ::OpenProcessToken;
  calls.lookupPrivilegeValueA = ::LookupPrivilegeValueA;
  calls.adjustTokenPrivileges = ::AdjustTokenPrivileges;
  return calls;
}

PowerCalls DryRunPowerCalls(DiagnosticLog log) {
  PowerCalls calls = SystemTokenCalls();
  calls.exitWindowsEx = [log = std::move(log)](UINT flags, DWORD) mutable {
    log.Report("vesperon: dry run: power-off requested (ExitWindowsEx flags " +
              std::to_string(flags) + ")");
    return TRUE;
  };
  return calls;
}

Win32PowerApi::Win32PowerApi(PowerCalls calls, DiagnosticLog log, FailureHandler onFailure)
    : calls_(std::move(calls)),
      log_(std::move(log)),
      onFailure_(std::move(onFailure)),
      mailbox_([this](UINT message, WPARAM, LPARAM) { return DeliverFailures(message); }) {}

Handle Win32PowerApi::GetCurrentProcess() { return FromHandle(calls_.getCurrentProcess()); }

bool Win32PowerApi::OpenProcessToken(Handle process, std::uint32_t desiredAccess, Handle& token) {
  HANDLE opened = nullptr;
  const BOOL done = calls_.openProcessToken(ToHandle(process), desiredAccess, &opened);
  token = FromHandle(opened);
  return done != FALSE;
}

bool Win32PowerApi::LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                                          Luid& luid) {
  LUID found{};
  const BOOL done = calls_.lookupPrivilegeValueA(systemName.c_str(), name.c_str(), &found);
  luid = {found.LowPart, found.HighPart};
  return done != FALSE;
}

bool Win32PowerApi::AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                                          const TokenPrivileges& newState,
                                          std::uint32_t bufferLength,
                                          TokenPrivileges& previousState,
                                          std::uint32_t& returnLength) {
  TOKEN_PRIVILEGES requested = ToSystem(newState);
  TOKEN_PRIVILEGES previous = ToSystem(previousState);
  DWORD length = 0;
  const BOOL done =
      calls_.adjustTokenPrivileges(ToHandle(token), disableAllPrivileges ? TRUE : FALSE, &requested,
                                   bufferLength, &previous, &length);
  previousState = FromSystem(previous);
  returnLength = length;
  return done != FALSE;
}

bool Win32PowerApi::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  if (calls_.exitWindowsEx(flags, reserved)) return true;
  const std::string reason = "ExitWindowsEx: " + SystemErrorText(GetLastError());
  log_.Report("vesperon: power-off request failed: " + reason);
  failures_.push_back(reason);
  // Without a mailbox the caller hears of it at once rather than never.
  if (mailbox_.Handle() == nullptr || !PostMessageW(mailbox_.Handle(), kDeliverFailures, 0, 0))
    DeliverFailures(kDeliverFailures);
  return false;
}

bool Win32PowerApi::DeliverFailures(UINT message) {
  if (message != kDeliverFailures) return false;
  while (!failures_.empty()) {
    const std::string reason = failures_.front();
    failures_.pop_front();
    if (onFailure_) onFailure_(reason);
  }
  return true;
}

}  // namespace vesperon
