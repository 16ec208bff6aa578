#include "app/qt/qt_shell.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace vesperon::qt_view {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowModality modality = Qt::NonModal;
  QWidget* parent = nullptr;
  int buttons = 0;
};

// Shows a box through the adapter and reads it back from the screen before
// pressing its button.
SeenBox ShowAndRead(QtShell& shell, const std::string& text, const std::string& title,
                    MsgBoxIcon icon) {
  SeenBox seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {box->windowTitle(),    box->text(),         box->icon(),
            box->windowModality(), box->parentWidget(), static_cast<int>(box->buttons().size())};
    box->button(QMessageBox::Ok)->click();
  });
  shell.MsgBox(text, title, icon);
  return seen;
}

TEST(QtShellTest, ABoxShowsTheTextAsItStandsWithOneButtonOverTheClock) {
  QWidget clock;
  QtShell shell;
  shell.SetParentWindow(&clock);

  const SeenBox box = ShowAndRead(shell, "/skins/<Mi & Skin>/0.bmp\r\nsegunda línea", "Mi Skin",
                                  MsgBoxIcon::Critical);
  EXPECT_EQ(box.title, QString::fromUtf8("Mi Skin"));
  EXPECT_EQ(box.text, QString::fromUtf8("/skins/<Mi & Skin>/0.bmp\nsegunda línea"));
  EXPECT_EQ(box.icon, QMessageBox::Critical);
  EXPECT_EQ(box.modality, Qt::ApplicationModal);
  EXPECT_EQ(box.parent, &clock);
  EXPECT_EQ(box.buttons, 1);

  EXPECT_EQ(ShowAndRead(shell, "x", "t", MsgBoxIcon::Exclamation).icon, QMessageBox::Warning);
  EXPECT_EQ(ShowAndRead(shell, "x", "t", MsgBoxIcon::Information).icon, QMessageBox::Information);
}

}  // namespace
}  // namespace vesperon::qt_view

#include <QTest>

#include "about/qt/about_dialog.h"

namespace vesperon::qt_view {
namespace {

TEST(QtShellTest, TheAboutDialogIsAFixedToolWindowModalToTheClockThatEscapeCloses) {
  QWidget clock;
  Form mainWindow;
  QtShell shell;
  shell.SetParentWindow(&clock);
  shell.ShowModal(Dialog::Config);  // nothing made for it: returns at once

  shell.SetDialogFactory(Dialog::About, [&](QWidget* parent) {
    return std::make_unique<AboutDialog>(mainWindow, parent);
  });
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* about = qobject_cast<AboutDialog*>(shell.OpenDialog(Dialog::About));
    ASSERT_NE(about, nullptr);
    seen = true;
    EXPECT_EQ(about->windowTitle(), QStringLiteral("Acerca de Vesperon"));
    EXPECT_EQ(about->size(), QSize(353, 345));
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    EXPECT_EQ(about->windowType(), Qt::Tool);
    EXPECT_FALSE(about->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(about->parentWidget(), &clock);
    EXPECT_EQ(about->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->Model().LblVersion.caption,
              VersionText(VESPERON_VERSION_MAJOR, VESPERON_VERSION_MINOR, VESPERON_VERSION_PATCH));
    // Minimized by a window manager that offers it: brought back.
    about->setWindowState(Qt::WindowMinimized);
    shell.BringToFront(Dialog::About);
    EXPECT_FALSE(about->isMinimized());
    // A box asked for while it is open stands over it.
    EXPECT_EQ(ShowAndRead(shell, "x", "t", MsgBoxIcon::Information).parent, about);
    QTest::keyClick(about, Qt::Key_Escape);
  });
  shell.ShowModal(Dialog::About);
  EXPECT_TRUE(seen);
  EXPECT_EQ(shell.OpenDialog(Dialog::About), nullptr);
}

// A window Qt keeps every click from while a modal dialog holds it.
struct CountingClock : QWidget {
  int presses = 0;
  void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Qt never lets a window blocked by a modal one see the mouse: in reach,
// the clock takes a click through a dialog and the box over it; given back,
// it takes none until they close.
TEST(QtShellTest, InReachTheClockTakesClicksWhateverDialogOrBoxIsOpen) {
  CountingClock clock;
  clock.setGeometry(100, 100, 171, 128);
  clock.show();
  QtShell shell;
  shell.SetParentWindow(&clock);
  shell.SetDialogFactory(Dialog::About,
                         [](QWidget* parent) { return std::make_unique<QDialog>(parent); });
  int inReach = -1;
  int givenBack = -1;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      shell.KeepClockInReach(true);
      QTest::mouseClick(clock.windowHandle(), Qt::LeftButton, {}, QPoint(120, 50));
      inReach = clock.presses;
      shell.KeepClockInReach(false);
      QTest::mouseClick(clock.windowHandle(), Qt::LeftButton, {}, QPoint(120, 50));
      givenBack = clock.presses;
      box->close();
      QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    });
    shell.MsgBox("sobre el diálogo", "Vesperon", MsgBoxIcon::Information);
  });
  shell.ShowModal(Dialog::About);
  EXPECT_EQ(inReach, 1);
  EXPECT_EQ(givenBack, 1);
}

}  // namespace
}  // namespace vesperon::qt_view
