#pragma once

#include <QSystemTrayIcon>
#include <memory>

#include "ports/tray.h"

namespace vesperon {

// The notification-area icon through QSystemTrayIcon.
class QtTray : public TrayPort {
 public:
  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) override;

 private:
  void Apply(const NotifyIconData& data);

  std::unique_ptr<QSystemTrayIcon> icon_;
};

// The text of a tip field: up to its NUL.
QString TipText(const std::string& field);

}  // namespace vesperon
