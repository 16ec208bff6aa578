#include "app/win32/console_command_line.h"

#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include <cstdio>

#include "win32/wide_text.h"

namespace vesperon::win32_view {

namespace {

bool Has(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; words != nullptr && i < count; ++i) arguments.push_back(Narrow(words[i]));
  if (words != nullptr) LocalFree(words);
  return arguments;
}

void WriteToStartingConsole() {
  const bool out = Has(STD_OUTPUT_HANDLE);
  const bool err = Has(STD_ERROR_HANDLE);
  if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!out) (void)std::freopen("CONOUT$", "w", stdout);
  if (!err) (void)std::freopen("CONOUT$", "w", stderr);
}

}  // namespace vesperon::win32_view
