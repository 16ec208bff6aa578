#include "qt/qt_tray.h"

#include <QPixmap>

#include "qt/qt_picture_loader.h"

namespace vesperon {

QString TipText(const std::string& field) {
  const auto end = field.find('\0');
  return QString::fromStdString(end == std::string::npos ? field : field.substr(0, end));
}

std::uint32_t TrayMouseMessage(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return kTrayLeftButtonDown;
    case QSystemTrayIcon::Context:
      return kTrayRightButtonUp;
    default:
      return 0;
  }
}

QtTrayIcon::QtTrayIcon(const NotifyIconData& data, TrayMouseMessageHandler onMouseMessage) {
  QObject::connect(&icon_, &QSystemTrayIcon::activated,
                   [onMouseMessage](QSystemTrayIcon::ActivationReason reason) {
                     const std::uint32_t message = TrayMouseMessage(reason);
                     if (message != 0 && onMouseMessage) onMouseMessage(message);
                   });
  Update(data);
  icon_.show();
}

void QtTrayIcon::Update(const NotifyIconData& data) {
  if (const QImage* image = ImageOf(data.hIcon)) icon_.setIcon(QIcon(QPixmap::fromImage(*image)));
  icon_.setToolTip(TipText(data.szTip));
}

}  // namespace vesperon
