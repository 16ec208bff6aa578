#include "platform/win32/win32_power_api.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "memory_settings.h"
#include "shutdown/power_off.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

std::string Hex(const void* data, std::size_t size) {
  std::string text;
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", bytes[i]);
    text += byte;
  }
  return text;
}

// The system's calls as the adapter makes them, down to the bytes of the
// privilege record; nothing is switched off.
struct PowerCallRecorder {
  std::vector<std::string> calls;
  BOOL exitResult = TRUE;

  PowerCalls Calls() {
    PowerCalls table;
    table.getCurrentProcess = [this] {
      calls.push_back("GetCurrentProcess");
      return reinterpret_cast<HANDLE>(-1);
    };
    table.openProcessToken = [this](HANDLE process, DWORD access, PHANDLE token) {
      char line[96];
      std::snprintf(line, sizeof line, "OpenProcessToken(%lld, 0x%lx)",
                    static_cast<long long>(reinterpret_cast<LONG_PTR>(process)), access);
      calls.push_back(line);
      *token = reinterpret_cast<HANDLE>(0x1234);
      return TRUE;
    };
    table.lookupPrivilegeValueA = [this](LPCSTR system, LPCSTR name, PLUID luid) {
      calls.push_back(std::string("LookupPrivilegeValueA(") +
                      (system == nullptr ? "null" : "\"" + std::string(system) + "\"") + ", " +
                      name + ")");
      luid->LowPart = 0x13;
      luid->HighPart = 0x7;
      return TRUE;
    };
    table.adjustTokenPrivileges = [this](HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state,
                                         DWORD length, PTOKEN_PRIVILEGES previous,
                                         PDWORD returned) {
      char line[160];
      std::snprintf(line, sizeof line, "AdjustTokenPrivileges(0x%llx, %d, %s, %lu, %s, %s)",
                    static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(token)), disableAll,
                    Hex(state, sizeof *state).c_str(), length,
                    previous != nullptr ? "previous" : "null",
                    returned != nullptr ? "length" : "null");
      calls.push_back(line);
      return TRUE;
    };
    table.exitWindowsEx = [this](UINT flags, DWORD reason) {
      char line[64];
      std::snprintf(line, sizeof line, "ExitWindowsEx(0x%x, 0x%lx)", flags, reason);
      calls.push_back(line);
      if (!exitResult) SetLastError(ERROR_PRIVILEGE_NOT_HELD);
      return exitResult;
    };
    return table;
  }
};

TEST(Win32PowerApi, ThePrivilegeRoadReachesTheSystemWithTheDesignedValues) {
  PowerCallRecorder recorder;
  Win32PowerApi power(recorder.Calls(), DiagnosticLog(""), {});
  MemorySettings settings;
  settings.Set("Apagado", "WindowsVersion", "2");
  EjecutarApagado(settings, power);

  const std::vector<std::string> expected = {
      "GetCurrentProcess",
      "OpenProcessToken(-1, 0x28)",
      "LookupPrivilegeValueA(\"\", SeShutdownPrivilege)",
      // count 1, the identifier low then high, SE_PRIVILEGE_ENABLED: 16 bytes.
      "AdjustTokenPrivileges(0x1234, 0, 01000000130000000700000002000000, 16, previous, length)",
      "ExitWindowsEx(0x8, 0xffffffff)",
  };
  EXPECT_EQ(recorder.calls, expected);
}

TEST(Win32PowerApi, ARefusedRequestIsLoggedAndReportedFromTheMessageLoop) {
  TemporaryFolder folder(L"Vesperon power");
  StandardErrorRedirect standardError(folder.Path() / L"stderr.txt");
  PowerCallRecorder recorder;
  recorder.exitResult = FALSE;
  std::vector<std::string> reasons;
  Win32PowerApi power(recorder.Calls(), DiagnosticLog(folder.Path() / L"vesperon.log"),
                      [&](const std::string& reason) { reasons.push_back(reason); });

  EXPECT_FALSE(power.ExitWindowsEx(kEwxPowerOff, 0xFFFFFFFF));
  EXPECT_TRUE(reasons.empty()) << "reported inside the request";
  ASSERT_TRUE(PumpMessagesUntil([&] { return !reasons.empty(); }));
  ASSERT_EQ(reasons.size(), 1u);
  EXPECT_NE(reasons[0].find("ExitWindowsEx"), std::string::npos) << reasons[0];
  EXPECT_NE(reasons[0].find("(error 1314)"), std::string::npos) << reasons[0];
  EXPECT_NE(FileText(folder.Path() / L"stderr.txt")
                .find("vesperon: power-off request failed: " + reasons[0]),
            std::string::npos);
}

// The dry run's own line, which the end-to-end tests wait for.
constexpr char kDryRunLine[] = "vesperon: dry run: power-off requested (ExitWindowsEx flags 8)";

bool ShutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
  BOOL enabled = FALSE;
  const bool asked = OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) &&
                     LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid) &&
                     PrivilegeCheck(token, &wanted, &enabled);
  CloseHandle(token);
  return asked && enabled;
}

void DisableAllPrivileges() {
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
  ASSERT_TRUE(AdjustTokenPrivileges(token, TRUE, nullptr, 0, nullptr, nullptr));
  CloseHandle(token);
}

TEST(Win32PowerApi, TheDryRunTakesTheRealPrivilegeStepsAndOnlySaysItWouldAsk) {
  TemporaryFolder folder(L"Vesperon dry run");
  const std::filesystem::path log = folder.Path() / L"Vesperon" / L"vesperon.log";
  Win32PowerApi power(DryRunPowerCalls(DiagnosticLog(log)), DiagnosticLog(log), {});
  DisableAllPrivileges();
  ASSERT_FALSE(ShutdownPrivilegeEnabled());

  {
    StandardErrorRedirect standardError(folder.Path() / L"stderr.txt");
    ApagarWinNT(power);
  }
  // The record went through the system's own calls and did what it says.
  EXPECT_TRUE(ShutdownPrivilegeEnabled());
  EXPECT_EQ(FileText(folder.Path() / L"stderr.txt"), std::string(kDryRunLine) + "\n");
  EXPECT_FALSE(std::filesystem::exists(log));

  // Started from the desktop there is no standard error: the log has it.
  {
    StandardErrorRedirect none;
    ApagarWin9x(power);
  }
  const std::string logged = FileText(log);
  EXPECT_NE(logged.find(std::string(kDryRunLine) + "\r\n"), std::string::npos) << logged;
  EXPECT_EQ(logged.find(kDryRunLine), 20u) << "a local time first: " << logged;
}

}  // namespace
}  // namespace vesperon
