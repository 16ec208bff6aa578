#include "tray/qt/popup_menu_view.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>

#include "qt/qt_picture_loader.h"
#include "main_harness.h"

namespace vesperon::qt_view {
namespace {

class PopupMenuViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    h.settings.Set("Window", "OnTop", "1");
    ASSERT_TRUE(h.Start());
  }
  BasicMainHarness<QtPictureLoader> h;
  FrmMenu& menu = h.menu;
  PopupMenuView view;
};

// What the user sees is the model: entries, separators, check mark,
// pictures where they were attached, and the notes sub-menu.
TEST_F(PopupMenuViewTest, TheMenuIsTheModel) {
  view.Build(menu.mnMenu);
  const QList<QAction*> actions = view.Menu().actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(menu.mnMenu.children.size()));
  QStringList shown;
  for (QAction* action : actions) shown << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(shown, (QStringList{"Ajustar hora de Apagado", "-", "&Configuración", "-",
                                "Siempre por Encima", "Acerca de Vesperon...", "-", "&Salir", "-",
                                "Notas de Aviso"}));

  EXPECT_TRUE(actions[4]->isCheckable() && actions[4]->isChecked());
  EXPECT_FALSE(actions[5]->isChecked());
  EXPECT_FALSE(actions[0]->icon().isNull());
  EXPECT_FALSE(actions[2]->icon().isNull());
  for (int i : {4, 5, 7, 9}) EXPECT_TRUE(actions[i]->icon().isNull()) << i;
  // The picture leaves out the menu grey it was drawn on.
  const QImage set = actions[0]->icon().pixmap(14, 14).toImage();
  EXPECT_EQ(qAlpha(set.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(set.pixel(7, 6)), 255);

  QMenu* notes = actions[9]->menu();
  ASSERT_NE(notes, nullptr);
  ASSERT_EQ(notes->actions().size(), 1);
  EXPECT_EQ(notes->actions()[0]->text(), QString::fromUtf8("Añadir"));
  EXPECT_EQ(PopupMenuView::EntryOf(notes->actions()[0]), &menu.mnAñadirNota[0]);

  // Built again, it follows the model and keeps no stale sub-menu.
  menu.mnOnTop.checked = false;
  view.Build(menu.mnMenu);
  EXPECT_FALSE(view.Menu().actions()[4]->isChecked());
  EXPECT_EQ(view.Menu().findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size(), 1);
}

TEST_F(PopupMenuViewTest, ReturnsTheEntryChosen) {
  QTimer::singleShot(0, [&] { QTest::keyClick(&view.Menu(), Qt::Key_S); });
  EXPECT_EQ(view.Exec(menu.mnMenu, QPoint(100, 100)), &menu.mnSalir);
  QTimer::singleShot(0, [&] { QTest::keyClick(&view.Menu(), Qt::Key_Escape); });
  EXPECT_EQ(view.Exec(menu.mnMenu, QPoint(100, 100)), nullptr);
}

}  // namespace
}  // namespace vesperon::qt_view
