#include "app/qt/qt_shell.h"

#include <QMessageBox>

namespace vesperon {

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
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(title), body, QMessageBox::Ok, parent_);
  // A skin path may hold '<' or '&': the text is shown as it stands.
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace vesperon
