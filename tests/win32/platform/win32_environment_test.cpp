#include "platform/win32/win32_environment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "win32/wide_text.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

TEST(Win32Environment, TheArgumentTextIsWhatFollowsTheProgramsName) {
  const auto arguments = [](const wchar_t* commandLine) {
    return Win32Environment(commandLine, L"unused").ArgumentText();
  };
  EXPECT_EQ(arguments(L"\"C:\\Program Files\\Vesperon\\vesperon.exe\" /autostart"), "/autostart");
  EXPECT_EQ(arguments(L"C:\\Vesperon\\vesperon.exe /autostart"), "/autostart");
  EXPECT_EQ(arguments(L"vesperon.exe \t /debugskin"), "/debugskin");
  // The rest is the whole text as given: the start compares it exactly.
  EXPECT_EQ(arguments(L"vesperon /autostart "), "/autostart ");
  EXPECT_EQ(arguments(L"vesperon /AUTOSTART \"x y\""), "/AUTOSTART \"x y\"");
  EXPECT_EQ(arguments(L"\"C:\\Relojería\\vesperon.exe\"/autostart"), "/autostart");
  EXPECT_EQ(arguments(L"\"C:\\Program Files\\Vesperon\\vesperon.exe\""), "");
  EXPECT_EQ(arguments(L""), "");
}

TEST(Win32Environment, OneCopyHoldsTheMutexUntilItEnds) {
  const std::wstring name =
      L"Local\\Vesperon tests mutex " + std::to_wstring(GetCurrentProcessId());
  std::optional<Win32Environment> first(std::in_place, L"vesperon.exe", name);
  EXPECT_FALSE(first->PrevInstance());
  EXPECT_FALSE(first->PrevInstance()) << "a copy never sees itself";
  EXPECT_TRUE(Win32Environment(L"vesperon.exe", name).PrevInstance());
  first.reset();
  EXPECT_FALSE(Win32Environment(L"vesperon.exe", name).PrevInstance());

  // The program's own name is the user's, in the session's namespace.
  const std::wstring own = Win32Environment::SingleInstanceMutexName();
  EXPECT_EQ(own.rfind(L"Local\\Vesperon.SingleInstance.S-1-", 0), 0u) << Narrow(own);
}

TEST(Win32Environment, TheProgramFileAndWhichFilesAreVisible) {
  Win32Environment environment(L"x", L"unused");
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(environment.ProgramFilePath(), Narrow(self));
  EXPECT_TRUE(environment.VisibleFileExists(environment.ProgramFilePath()));

  TemporaryFolder folder(L"Vesperon archivos ñ");
  const std::filesystem::path plain = folder.Path() / L"vesperon ñ.exe";
  const std::filesystem::path hidden = folder.Path() / L"oculto.exe";
  std::ofstream(plain) << "MZ";
  std::ofstream(hidden) << "MZ";
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(environment.VisibleFileExists(Narrow(plain.wstring())));
  EXPECT_FALSE(environment.VisibleFileExists(Narrow(hidden.wstring())));
  EXPECT_FALSE(environment.VisibleFileExists(Narrow(folder.Path().wstring())));
  EXPECT_FALSE(environment.VisibleFileExists(Narrow((folder.Path() / L"none.exe").wstring())));
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace vesperon
