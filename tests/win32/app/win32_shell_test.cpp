#include "app/win32/win32_shell.h"

#include <gtest/gtest.h>

#include "about/win32/about_dialog.h"

namespace vesperon::win32_view {
namespace {

// What the countdown found and did while About was open over the clock.
struct InReach {
  Win32Shell* shell = nullptr;
  HWND clock = nullptr;
  bool heldBefore = false;
  bool enabledInReach = false;
  bool clearOfClock = false;
  bool heldAgain = false;
};
InReach reach;

// Runs inside About's own loop, as a countdown's start does.
void CALLBACK CountdownStarts(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const HWND about = reach.shell->OpenDialog(Dialog::About);
  reach.heldBefore = !IsWindowEnabled(reach.clock);
  reach.shell->KeepClockInReach(true);
  reach.enabledInReach = IsWindowEnabled(reach.clock) != FALSE;
  RECT clock, dialog, both;
  GetWindowRect(reach.clock, &clock);
  GetWindowRect(about, &dialog);
  reach.clearOfClock = !IntersectRect(&both, &clock, &dialog);
  reach.shell->KeepClockInReach(false);
  reach.heldAgain = !IsWindowEnabled(reach.clock);
  EndDialog(about, 0);
}

// Windows keeps an owned window above its owner and disables the owner of a
// modal dialog: a countdown enables the clock again and moves the dialog
// off it; given back, the dialog holds the clock again until it closes.
TEST(Win32Shell, ACountdownFreesTheClockFromAnOpenDialogAndMovesTheDialogOffIt) {
  const HWND clock =
      CreateWindowExW(0, L"STATIC", L"Vesperon", WS_POPUP | WS_VISIBLE, 400, 300, 171, 128, nullptr,
                      nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(clock, nullptr);
  Win32Shell shell;
  shell.SetOwnerWindow(clock);
  Form face;
  shell.SetDialogRunner(Dialog::About, [&](HWND owner, const std::function<void(HWND)>& opened) {
    AboutDialog(face).Run(owner, opened);
  });
  reach = {&shell, clock};
  SetTimer(nullptr, 0, 100, &CountdownStarts);
  shell.ShowModal(Dialog::About);

  EXPECT_TRUE(reach.heldBefore);
  EXPECT_TRUE(reach.enabledInReach);
  EXPECT_TRUE(reach.clearOfClock);
  EXPECT_TRUE(reach.heldAgain);
  EXPECT_TRUE(IsWindowEnabled(clock)) << "About closed gives the clock back";
  DestroyWindow(clock);
}

}  // namespace
}  // namespace vesperon::win32_view
