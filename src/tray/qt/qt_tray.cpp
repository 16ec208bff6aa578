#include "tray/qt/qt_tray.h"

#include <QPixmap>

#include "app/qt/qt_picture_loader.h"

namespace vesperon {

QString TipText(const std::string& field) {
  const auto end = field.find('\0');
  return QString::fromStdString(end == std::string::npos ? field : field.substr(0, end));
}

void QtTray::Apply(const NotifyIconData& data) {
  if (const QImage* image = ImageOf(data.hIcon))
    icon_->setIcon(QIcon(QPixmap::fromImage(*image)));
  icon_->setToolTip(TipText(data.szTip));
}

bool QtTray::ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) {
  switch (message) {
    case NotifyMessage::Add:
      if (icon_) return false;
      icon_ = std::make_unique<QSystemTrayIcon>();
      Apply(data);
      icon_->show();
      return true;
    case NotifyMessage::Modify:
      if (!icon_) return false;
      Apply(data);
      return true;
    case NotifyMessage::Delete:
      if (!icon_) return false;
      icon_.reset();
      return true;
  }
  return false;
}

}  // namespace vesperon
