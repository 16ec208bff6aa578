// The program's resources, which this test program is built with too: the
// version, and the manifest's Common Controls 6 and per-monitor awareness.

#include <windows.h>
// windows.h first: the version header needs its types.
#include <gtest/gtest.h>
#include <winver.h>

#include <cwctype>
#include <string>
#include <vector>

namespace vesperon {
namespace {

TEST(ProgramResources, CarryTheVersionAndAskForVisualStylesAndPerMonitorDpi) {
  wchar_t path[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(path, &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));   // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 10));  // .10
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\0c0a04b0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::wstring(text), L"1.0.10");

  // The dialogs' controls come from Common Controls 6, which draws them
  // with the system's visual styles: the library the manifest's dependency
  // names, from its side-by-side folder (Wine's says 5.81 for both).
  const HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  wchar_t loaded[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(controls, loaded, MAX_PATH), 0u);
  std::wstring folder = loaded;
  for (wchar_t& c : folder) c = static_cast<wchar_t>(towlower(c));
  EXPECT_NE(folder.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::wstring::npos)
      << folder;

  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
            DPI_AWARENESS_PER_MONITOR_AWARE);
}

}  // namespace
}  // namespace vesperon
