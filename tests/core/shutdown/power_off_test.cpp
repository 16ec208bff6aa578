#include <gtest/gtest.h>

#include "memory_settings.h"
#include "recorders.h"
#include "shutdown/melodies.h"
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

int TotalMs(const Melody& m) {
  int total = 0;
  for (const auto& t : m) total += t.durationMs;
  return total;
}

TEST(Melodies, TablesHaveTheirTonesInOrder) {
  const Melody beep = Melodia(0);
  ASSERT_EQ(beep.size(), 6u);
  for (std::size_t i = 0; i < beep.size(); ++i)
    EXPECT_EQ(beep[i], (Tone{i % 2 == 0 ? 800 : 700, 50}));
  EXPECT_EQ(TotalMs(beep), 300);

  const Melody pajaraco = Melodia(1);
  ASSERT_EQ(pajaraco.size(), 203u);
  EXPECT_EQ(pajaraco[0], (Tone{700, 1}));
  EXPECT_EQ(pajaraco[100], (Tone{800, 1}));
  EXPECT_EQ(pajaraco[101], (Tone{700, 1}));
  EXPECT_EQ(pajaraco[201], (Tone{800, 1}));
  EXPECT_EQ(pajaraco.back(), (Tone{800, 150}));
  EXPECT_EQ(TotalMs(pajaraco), 352);

  const Melody gwbasic = Melodia(2);
  ASSERT_EQ(gwbasic.size(), 101u);
  EXPECT_EQ(gwbasic.front(), (Tone{800, 5}));
  EXPECT_EQ(gwbasic.back(), (Tone{700, 5}));
  EXPECT_EQ(TotalMs(gwbasic), 505);
}

TEST(Melodies, UnknownIndexIsSilence) {
  RecordingSpeaker speaker;
  TocarMelodia(speaker, 3);
  TocarMelodia(speaker, -1);
  EXPECT_TRUE(speaker.played.empty());
  TocarMelodia(speaker, 0);
  EXPECT_EQ(speaker.played.size(), 1u);
}

}  // namespace
}  // namespace vesperon
