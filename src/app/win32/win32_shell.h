#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

#include "ports/shell.h"
#include "tray/win32/popup_menu_view.h"

namespace vesperon::win32_view {

// Message boxes through MessageBoxW with the designed icons, the popup menu
// at the pointer, and the program's dialogs, each owned by the window open
// beneath it (the clock, or the dialog a box comes from), so it never hides
// behind the clock, even when the clock stays on top.
class Win32Shell : public Shell {
 public:
  // Shows a dialog owned by `owner`, modally; returns when it has closed.
  // `opened` is called with the dialog's window once it is made.
  using DialogRunner = std::function<void(HWND owner, const std::function<void(HWND)>& opened)>;

  void SetOwnerWindow(HWND owner) { owner_ = owner; }
  // How a dialog is shown; a dialog that has none shows nothing.
  void SetDialogRunner(Dialog dialog, DialogRunner run) { runners_[dialog] = std::move(run); }

  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override;
  const MenuEntry* PopupMenu(const MenuEntry& menu) override;
  const MenuEntry* PopupMenuAt(const MenuEntry& menu, int x, int y) override;
  void ShowModal(Dialog dialog) override;
  // The menu, and every box and dialog of this thread, whoever opened it.
  void CloseAll() override;
  // SetWindowPos with HWND_TOPMOST and then HWND_NOTOPMOST, no move, no size.
  void BringToFront(Dialog dialog) override;
  // A popup menu ends (EndMenu), the clock is enabled again over the
  // dialogs and boxes that disabled it, and those over the clock move beside
  // it: Windows keeps an owned window above its owner. Given back, the
  // clock is disabled again while any of them is still open.
  void KeepClockInReach(bool inReach) override;

  // While in reach, the clock stays enabled: a dialog or box that opens
  // meanwhile disables it, and the clock window enables itself again.
  bool ClockInReach() const { return inReach_; }
  // A dialog or message box of the program is open.
  bool ModalOpen() const { return !open_.empty() || boxes_ > 0; }

  // The dialog open now, if any.
  HWND OpenDialog(Dialog dialog) const;

 private:
  // The window a new box or dialog belongs to: the last dialog opened, or
  // the clock.
  HWND Owner() const;

  HWND owner_ = nullptr;
  PopupMenuView menu_;
  std::map<Dialog, DialogRunner> runners_;
  std::vector<std::pair<Dialog, HWND>> open_;
  int boxes_ = 0;
  bool inReach_ = false;
};

}  // namespace vesperon::win32_view
