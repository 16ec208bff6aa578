#pragma once

#include <QSystemTrayIcon>
#include <cstdint>
#include <functional>
#include <memory>

#include "ports/tray.h"

namespace vesperon {

// The notification-area icon through QSystemTrayIcon. Clicks on it come
// back as the mouse messages the icon's window is told of.
class QtTray : public TrayPort {
 public:
  using MouseMessageHandler = std::function<void(std::uint32_t mouseMessage)>;

  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) override;
  void SetMouseMessageHandler(MouseMessageHandler handler) { onMouseMessage_ = std::move(handler); }

 private:
  void Apply(const NotifyIconData& data);

  std::unique_ptr<QSystemTrayIcon> icon_;
  MouseMessageHandler onMouseMessage_;
};

// The mouse message a click on the icon stands for: a left click is
// WM_LBUTTONDOWN (513), the context click WM_RBUTTONUP (517); 0 for others.
std::uint32_t TrayMouseMessage(QSystemTrayIcon::ActivationReason reason);

// The text of a tip field: up to its NUL.
QString TipText(const std::string& field);

}  // namespace vesperon
