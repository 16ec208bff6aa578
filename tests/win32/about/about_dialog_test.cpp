#include "about/win32/about_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {
namespace {

std::vector<std::wstring> Texts(HWND dialog) {
  std::vector<std::wstring> texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM list) {
        wchar_t text[256];
        GetWindowTextW(child, text, 256);
        reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(text);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

TEST(Win32AboutDialog, AFixedToolWindowWithTheVersionThatEscapeCloses) {
  Win32PictureLoader pictures;
  Form clock;
  clock.icon = pictures.BuiltIn("tray1.ico");
  AboutDialog about(clock);

  HWND shown = nullptr;
  std::vector<std::wstring> texts;
  RECT client{};
  // Whatever happens, the dialog does not stay up for ever.
  SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) { return EndDialog(window, 0) ? FALSE : TRUE; }, 0);
  });
  about.Run(nullptr, [&](HWND dialog) {
    shown = dialog;
    texts = Texts(dialog);
    GetClientRect(dialog, &client);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongW(dialog, GWL_STYLE) &
                 (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    // The key as the user presses it: the dialog's loop reads it.
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(IsWindow(shown)) << "Escape closed it";
  const UINT dpi = GetDpiForSystem();
  EXPECT_EQ(client.right, MulDiv(353, static_cast<int>(dpi), 96));
  EXPECT_EQ(client.bottom, MulDiv(345, static_cast<int>(dpi), 96));
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"1.0.10"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Informaci\u00f3n general"), texts.end());
}

}  // namespace
}  // namespace vesperon::win32_view
