#include <gtest/gtest.h>

#include "memory_settings.h"
#include "recorders.h"
#include "shutdown/power_off.h"

namespace vesperon {
namespace {

std::vector<std::string> PowerOffWith(const char* windowsVersion, bool succeed = true) {
  MemorySettings settings;
  if (windowsVersion) settings.Set("Apagado", "WindowsVersion", windowsVersion);
  RecordingPowerApi power;
  power.succeed = succeed;
  EjecutarApagado(settings, power);
  return power.calls;
}

TEST(PowerOff, NtPathEnablesThePrivilegeThenAsks) {
  const std::vector<std::string> expected = {
      "GetCurrentProcess()",
      "OpenProcessToken(process=7, access=0x28)",
      "LookupPrivilegeValueA(system=\"\", name=\"SeShutdownPrivilege\")",
      "AdjustTokenPrivileges(token=42, disableAll=false, count=1, luid=0x13:0x0, attributes=2, "
      "length=16)",
      "ExitWindowsEx(flags=0x8, reserved=0xFFFFFFFF)",
  };
  EXPECT_EQ(PowerOffWith("2"), expected);
}

TEST(PowerOff, NtPathAsksEvenWhenThePrivilegeStepsFail) {
  const auto calls = PowerOffWith("2", false);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls.back(), "ExitWindowsEx(flags=0x8, reserved=0xFFFFFFFF)");
}

TEST(PowerOff, NinetyFivePathMakesNoTokenCall) {
  EXPECT_EQ(PowerOffWith("1"),
            std::vector<std::string>{"ExitWindowsEx(flags=0x8, reserved=0xFFFFFFFF)"});
}

TEST(PowerOff, AnyOtherTextRequestsNothing) {
  for (const char* version : {"2 ", " 2", "02", "", "3", "1.0", "dos"}) {
    SCOPED_TRACE(std::string("\"") + version + "\"");
    EXPECT_TRUE(PowerOffWith(version).empty());
  }
  EXPECT_TRUE(PowerOffWith(nullptr).empty());
}

}  // namespace
}  // namespace vesperon
