#include "app/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "about/win32/about_dialog.h"

namespace vesperon::win32_view {
namespace {

Win32Shell* g_shell = nullptr;
bool g_guardFired = false;

// CloseAll from inside the loop of what is open, as a request to end comes:
// a thread timer's procedure runs in whichever loop dispatches it.
void CloseAllSoon() {
  SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_shell->CloseAll();
  });
}

// Whatever happens, nothing stays up for ever.
UINT_PTR SetGuard() {
  return SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) {
    g_guardFired = true;
    EndMenu();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          EndDialog(window, 0);
          return TRUE;
        },
        0);
  });
}

TEST(Win32Shell, CloseAllEndsTheOpenBoxDialogAndMenu) {
  Win32Shell shell;
  g_shell = &shell;
  const UINT_PTR guard = SetGuard();

  CloseAllSoon();
  shell.MsgBox("Texto", "Vesperon", MsgBoxIcon::Information);
  EXPECT_FALSE(g_guardFired) << "the box stayed open";

  Form clock;
  shell.SetDialogRunner(Dialog::About, [&](HWND owner, const std::function<void(HWND)>& opened) {
    AboutDialog(clock).Run(owner, opened);
  });
  CloseAllSoon();
  shell.ShowModal(Dialog::About);
  EXPECT_FALSE(g_guardFired) << "the dialog stayed open";

  const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                     nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  shell.SetOwnerWindow(owner);
  MenuEntry entry{"Entrada"};
  MenuEntry menu{"menu"};
  menu.children = {&entry};
  CloseAllSoon();
  EXPECT_EQ(shell.PopupMenu(menu), nullptr);
  EXPECT_FALSE(g_guardFired) << "the menu stayed open";

  DestroyWindow(owner);
  KillTimer(nullptr, guard);
}

}  // namespace
}  // namespace vesperon::win32_view
