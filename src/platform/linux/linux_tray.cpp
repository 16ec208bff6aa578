#include "platform/linux/linux_tray.h"

#include <QMetaObject>
#include <iostream>

namespace vesperon {

LinuxTray::LinuxTray(QDBusConnection bus) : watch_(bus) {
  connect(&watch_, &TrayHostWatch::changed, this, [this] {
    // Made anew: a new watcher wants the item registered again, a new
    // XEmbed tray wants the icon docked again.
    item_.reset();
    embedded_.reset();
    Place();
    if (onTrayChange_) onTrayChange_();
  });
}

LinuxTray::~LinuxTray() = default;

bool LinuxTray::ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) {
  switch (message) {
    case NotifyMessage::Add:
      if (record_) return false;
      record_ = data;
      Place();
      break;
    case NotifyMessage::Modify:
      if (!record_) return false;
      record_ = data;
      if (item_) item_->Update(data);
      if (embedded_) embedded_->Update(data);
      break;
    case NotifyMessage::Delete:
      if (!record_) return false;
      record_.reset();
      Place();
      return true;
  }
  return item_ || embedded_;
}

bool LinuxTray::TrayAvailable() {
  const bool available = watch_.StatusNotifierHost() || watch_.XEmbedTray();
  if (!available && !toldNoTray_) {
    toldNoTray_ = true;
    std::cerr << "vesperon: this desktop has no system tray to hide the clock in; it is "
                 "minimized to the taskbar instead\n";
  }
  return available;
}

// At most one of the two shows the icon, the D-Bus item first.
void LinuxTray::Place() {
  const bool asItem = record_ && watch_.StatusNotifierHost();
  const bool embedded = record_ && !asItem && watch_.XEmbedTray();
  if (!asItem) item_.reset();
  if (!embedded) embedded_.reset();
  const auto deliver = [this](std::uint32_t message) { Deliver(message); };
  if (asItem && !item_)
    item_ = std::make_unique<StatusNotifierItem>(watch_.Bus(), *record_, deliver);
  if (embedded && !embedded_) embedded_ = std::make_unique<QtTrayIcon>(*record_, deliver);
}

// Handled on a later turn of the event loop, as a posted message would be:
// the menu or dialog a click opens then runs outside the desktop's D-Bus
// call or the icon's mouse press.
void LinuxTray::Deliver(std::uint32_t mouseMessage) {
  QMetaObject::invokeMethod(
      this,
      [this, mouseMessage] {
        if (onMouseMessage_) onMouseMessage_(mouseMessage);
      },
      Qt::QueuedConnection);
}

}  // namespace vesperon
