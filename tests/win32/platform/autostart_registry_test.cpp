#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the shell header needs its types.
#include <shellapi.h>

#include <fstream>
#include <memory>
#include <string>

#include "autostart_registry_contract.h"
#include "config/autostart.h"
#include "platform/win32/run_command_lines.h"
#include "win32/wide_text.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_registry.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

constexpr wchar_t kWideRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Start with Windows on the real machine-wide Run key (the tests' own Wine
// prefix, where the tests may write it), under a value name of the tests'
// own, removed after.
class AutostartRegistryTest : public ::testing::Test {
 protected:
  ~AutostartRegistryTest() override {
    for (const std::wstring& name : {wideName_, std::wstring(L"Vesperon tests, another program")})
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kWideRunKey, name.c_str());
  }

  std::wstring RunValue(const std::wstring& name) const {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kWideRunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, data,
                     &size) != ERROR_SUCCESS)
      return L"<none>";
    return data;
  }
  std::wstring RunValue() const { return RunValue(wideName_); }

  static void SetRunValue(const std::wstring& name, const std::wstring& text) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kWideRunKey, name.c_str(), REG_SZ, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  // A program file in a folder whose name has blanks and letters beyond ASCII.
  std::filesystem::path MakeProgram() {
    const std::filesystem::path program = folder_.Path() / L"Relojería nocturna" / L"vesperon.exe";
    std::filesystem::create_directories(program.parent_path());
    std::ofstream(program) << "MZ";
    return program;
  }

  const std::string name_ = "Vesperon tests " + std::to_string(GetCurrentProcessId());
  const std::wstring wideName_ = L"Vesperon tests " + std::to_wstring(GetCurrentProcessId());
  TemporaryFolder folder_{L"Vesperon autostart"};
  RunCommandLines registry_{std::make_unique<Win32Registry>()};
  Win32Environment environment_{L"vesperon.exe", L"Vesperon tests mutex, unused"};
};

TEST_F(AutostartRegistryTest, KeepsTheAutostartContract) {
  contracts::ExpectReadingGivesErrorTextsAndCutsLongValues(registry_, name_);
  contracts::ExpectTheEntryReadsBackAndIsRemoved(registry_, environment_, name_,
                                                 Narrow(MakeProgram().wstring()));
}

TEST_F(AutostartRegistryTest, APathWithBlanksIsWrittenAsACommandLineWindowsReadsBack) {
  const std::filesystem::path program = MakeProgram();
  const std::string path = Narrow(program.wstring());
  RegistrarAutoInicio(registry_, environment_, name_, path, 1, true);

  const std::wstring value = RunValue();
  EXPECT_EQ(value, L"\"" + program.wstring() + L"\" /autostart");
  // Started from this entry, the program is itself, and is told "/autostart".
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(value.c_str(), &count);
  ASSERT_NE(words, nullptr);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(std::wstring(words[0]), program.wstring());
  LocalFree(words);
  EXPECT_EQ(Win32Environment(value, L"unused").ArgumentText(), "/autostart");

  // A path without blanks stays bare.
  EXPECT_EQ(QuotedRunCommand("C:\\Vesperon\\vesperon.exe /autostart"),
            "C:\\Vesperon\\vesperon.exe /autostart");
}

TEST_F(AutostartRegistryTest, RegistrationReplacesAnOldEntryAndRemovalTakesOnlyOurs) {
  const std::filesystem::path program = MakeProgram();
  // Left by a copy of the program that has moved, and another program's.
  SetRunValue(wideName_, L"D:\\old place\\vesperon.exe /autostart");
  SetRunValue(L"Vesperon tests, another program", L"C:\\other\\other.exe");

  RegistrarAutoInicio(registry_, environment_, name_, Narrow(program.wstring()), 1, true);
  EXPECT_EQ(RunValue(), L"\"" + program.wstring() + L"\" /autostart");

  QuitarAutoInicio(registry_, name_, 1);
  EXPECT_EQ(RunValue(), L"<none>");
  EXPECT_EQ(RunValue(L"Vesperon tests, another program"), L"C:\\other\\other.exe");
  // Removing what is not there changes nothing.
  QuitarAutoInicio(registry_, name_, 1);
  EXPECT_EQ(RunValue(L"Vesperon tests, another program"), L"C:\\other\\other.exe");
}

}  // namespace
}  // namespace vesperon
