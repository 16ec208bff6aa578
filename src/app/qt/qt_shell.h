#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "app/qt/clock_reach.h"
#include "ports/shell.h"
#include "tray/qt/popup_menu_view.h"

namespace vesperon::qt_view {

// Message boxes through QMessageBox, the popup menu through a QMenu at the
// pointer, and the program's dialogs, each owned by the clock window so it
// is centred on the clock and never hides behind it, even when the clock
// stays on top.
class QtShell : public Shell {
 public:
  // Builds a dialog, with the clock window as its parent.
  using DialogFactory = std::function<std::unique_ptr<QDialog>(QWidget* parent)>;

  void SetParentWindow(QWidget* parent) {
    parent_ = parent;
    reach_.SetClock(parent);
  }
  // How a dialog is built; a dialog that has none shows nothing.
  void SetDialogFactory(Dialog dialog, DialogFactory make) { factories_[dialog] = std::move(make); }

  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override;
  const MenuEntry* PopupMenu(const MenuEntry& menu) override;
  const MenuEntry* PopupMenuAt(const MenuEntry& menu, int x, int y) override;
  void ShowModal(Dialog dialog) override;
  // Every popup and modal window of the application, whoever opened it.
  void CloseAll() override;
  void BringToFront(Dialog dialog) override;
  void KeepClockInReach(bool inReach) override { reach_.Keep(inReach); }

  // The dialog open now, if any.
  QDialog* OpenDialog(Dialog dialog) const;

 private:
  QPointer<QWidget> parent_;
  PopupMenuView menu_;
  std::map<Dialog, DialogFactory> factories_;
  std::map<Dialog, QPointer<QDialog>> open_;
  ClockReach reach_;
};

}  // namespace vesperon::qt_view
