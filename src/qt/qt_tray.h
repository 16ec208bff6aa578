#pragma once

#include <QSystemTrayIcon>
#include <cstdint>
#include <functional>

#include "ports/tray.h"

namespace vesperon {

// Clicks on the icon, as the mouse messages they stand for.
using TrayMouseMessageHandler = std::function<void(std::uint32_t mouseMessage)>;

// The icon through QSystemTrayIcon, shown from construction to destruction.
class QtTrayIcon {
 public:
  QtTrayIcon(const NotifyIconData& data, TrayMouseMessageHandler onMouseMessage);
  void Update(const NotifyIconData& data);

 private:
  QSystemTrayIcon icon_;
};

// The mouse message a click on the icon stands for: a left click is
// WM_LBUTTONDOWN (513), the context click WM_RBUTTONUP (517); 0 for others.
std::uint32_t TrayMouseMessage(QSystemTrayIcon::ActivationReason reason);

// The text of a tip field: up to its NUL.
QString TipText(const std::string& field);

}  // namespace vesperon
