#pragma once

#include <string>

#include "ports/shell.h"

namespace vesperon {

// A front end's shell with the rule every front end keeps once the program
// is ending: after CloseAll() nothing opens again. A box returns at once as
// though closed, a menu as though dismissed, a dialog as though cancelled.
// Code that resumes after a box that was closed under it (a skin check, the
// configuration dialog's "Aceptar") then runs to its end without waiting on
// a user who is gone, and no box flashes up while the session ends.
class ClosingShell final : public Shell {
 public:
  explicit ClosingShell(Shell& shell) : shell_(shell) {}

  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override {
    if (!closed_) shell_.MsgBox(text, title, icon);
  }
  const MenuEntry* PopupMenu(const MenuEntry& menu) override {
    return closed_ ? nullptr : shell_.PopupMenu(menu);
  }
  const MenuEntry* PopupMenuAt(const MenuEntry& menu, int x, int y) override {
    return closed_ ? nullptr : shell_.PopupMenuAt(menu, x, y);
  }
  void ShowModal(Dialog dialog) override {
    if (!closed_) shell_.ShowModal(dialog);
  }
  void BringToFront(Dialog dialog) override { shell_.BringToFront(dialog); }
  void KeepClockInReach(bool inReach) override { shell_.KeepClockInReach(inReach); }
  void CloseAll() override {
    closed_ = true;
    shell_.CloseAll();
  }

 private:
  Shell& shell_;
  bool closed_ = false;
};

}  // namespace vesperon
