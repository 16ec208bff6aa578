#include "tray/qt/popup_menu_view.h"

#include <QBitmap>
#include <QPixmap>

#include "qt/qt_picture_loader.h"

namespace vesperon::qt_view {

namespace {

// Menu pictures are drawn on the menu's own grey; that grey, the colour of
// their corner, is left out so they sit on whatever the menu looks like.
QIcon MenuIcon(const Picture& picture) {
  const QImage* image = ImageOf(picture);
  if (image == nullptr || image->isNull()) return {};
  QPixmap pixmap = QPixmap::fromImage(*image);
  pixmap.setMask(pixmap.createMaskFromColor(QColor::fromRgb(image->pixel(0, 0))));
  return QIcon(pixmap);
}

}  // namespace

void PopupMenuView::Build(const MenuEntry& model) {
  menu_.clear();
  for (QMenu* sub : menu_.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) delete sub;
  Fill(menu_, model);
}

void PopupMenuView::Fill(QMenu& menu, const MenuEntry& model) {
  for (const MenuEntry* entry : model.children) {
    QAction* action = nullptr;
    if (entry->IsSeparator()) {
      action = menu.addSeparator();
    } else if (!entry->children.empty()) {
      QMenu* sub = menu.addMenu(QString::fromStdString(entry->caption));
      Fill(*sub, *entry);
      action = sub->menuAction();
    } else {
      action = menu.addAction(QString::fromStdString(entry->caption));
      action->setCheckable(entry->checked);
      action->setChecked(entry->checked);
    }
    if (!entry->IsSeparator() && !entry->checked) action->setIcon(MenuIcon(entry->picture));
    action->setVisible(entry->visible);
    action->setEnabled(entry->enabled);
    action->setData(QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
  }
}

const MenuEntry* PopupMenuView::EntryOf(const QAction* action) {
  if (action == nullptr) return nullptr;
  return reinterpret_cast<const MenuEntry*>(action->data().value<quintptr>());
}

const MenuEntry* PopupMenuView::Exec(const MenuEntry& model, QPoint at) {
  Build(model);
  return EntryOf(menu_.exec(at));
}

}  // namespace vesperon::qt_view
