#pragma once

#include <QMenu>
#include <QPoint>

#include "ports/menu.h"

namespace vesperon::qt_view {

// The popup menu on screen: one QMenu, built again from the menu model each
// time it pops up, so captions, check marks and pictures are the model's.
class PopupMenuView {
 public:
  // Fills the menu with the children of `model`.
  void Build(const MenuEntry& model);
  // Pops the menu up at `at` and returns when it has closed: the entry
  // chosen, or nullptr.
  const MenuEntry* Exec(const MenuEntry& model, QPoint at);

  QMenu& Menu() { return menu_; }
  // The model entry an action of the menu stands for.
  static const MenuEntry* EntryOf(const QAction* action);

 private:
  static void Fill(QMenu& menu, const MenuEntry& model);

  QMenu menu_;
};

}  // namespace vesperon::qt_view
