#include "tray/qt/qt_tray.h"

#include <QPixmap>

#include "app/qt/qt_picture_loader.h"

namespace vesperon {

QString TipText(const std::string& field) {
  const auto end = field.find('\0');
  return QString::fromStdString(end == std::string::npos ? field : field.substr(0, end));
}

std::uint32_t TrayMouseMessage(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return 513;
    case QSystemTrayIcon::Context:
      return 517;
    default:
      return 0;
  }
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
      QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                       [this](QSystemTrayIcon::ActivationReason reason) {
                         const std::uint32_t message = TrayMouseMessage(reason);
                         if (message != 0 && onMouseMessage_) onMouseMessage_(message);
                       });
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
