#include "app/qt/qt_shell.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

#include "app/qt/modal_focus.h"

namespace vesperon::qt_view {

namespace {

QMessageBox::Icon ToQtIcon(MsgBoxIcon icon) {
  switch (icon) {
    case MsgBoxIcon::Critical:
      return QMessageBox::Critical;
    case MsgBoxIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgBoxIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtShell::MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) {
  // The texts break their lines the Windows way; a label wants a bare LF.
  QString body = QString::fromStdString(text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  // Over the dialog that asked, if one is open: the keyboard goes back to it
  // when the box closes, not to the clock that the dialog blocks.
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr) parent = parent_;
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), body, QMessageBox::Ok, parent);
  // A skin path may hold '<' or '&': the text is shown as it stands.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  reach_.Opening();
  const ModalFocus focus(&box);
  box.exec();
}

const MenuEntry* QtShell::PopupMenu(const MenuEntry& menu) {
  return menu_.Exec(menu, QCursor::pos());
}

const MenuEntry* QtShell::PopupMenuAt(const MenuEntry& menu, int x, int y) {
  if (!parent_) return PopupMenu(menu);
  return menu_.Exec(menu, parent_->mapToGlobal(QPoint(x, y)));
}

void QtShell::ShowModal(Dialog dialog) {
  const auto factory = factories_.find(dialog);
  if (factory == factories_.end()) return;
  const std::unique_ptr<QDialog> window = factory->second(parent_);
  // Modal to the clock only: the tray icon stays alive, so that its clicks
  // can bring the dialog forward.
  window->setWindowModality(Qt::WindowModal);
  const QPointer<QDialog> outer = open_[dialog];
  open_[dialog] = window.get();
  reach_.Opening();
  const ModalFocus focus(window.get());
  window->exec();
  open_[dialog] = outer;
}

QDialog* QtShell::OpenDialog(Dialog dialog) const {
  const auto open = open_.find(dialog);
  return open == open_.end() ? nullptr : open->second.data();
}

void QtShell::BringToFront(Dialog dialog) {
  QDialog* window = OpenDialog(dialog);
  if (window == nullptr) return;
  // A window manager may offer to minimize it all the same; minimized, a
  // tool window has no taskbar entry to come back from.
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
}

void QtShell::CloseAll() {
  // Innermost first: a popup (the menu, a list's drop-down) holds the
  // mouse and keyboard over everything; then a box over a dialog, then the
  // dialog. Each one closed lets the event loop its caller runs end.
  while (QWidget* popup = QApplication::activePopupWidget())
    if (!popup->close()) break;
  while (QWidget* modal = QApplication::activeModalWidget()) {
    if (auto* dialog = qobject_cast<QDialog*>(modal))
      dialog->reject();
    else
      modal->close();
    if (modal->isVisible()) break;
  }
}

}  // namespace vesperon::qt_view
