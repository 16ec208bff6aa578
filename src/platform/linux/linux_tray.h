#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "platform/linux/status_notifier_item.h"
#include "platform/linux/tray_host_watch.h"
#include "ports/platform.h"
#include "qt/qt_tray.h"

namespace vesperon {

// The icon on whatever notification area the desktop has: a
// StatusNotifierItem when a host shows them, else an XEmbed icon through
// QSystemTrayIcon, else none. The icon moves whenever a tray comes, goes or
// is replaced (a panel that starts after the program, or restarts), so it
// shows up without the program being restarted.
//
// Qt 6.4 decides once per process whether QSystemTrayIcon speaks D-Bus, at
// the first icon it makes; here it is only ever made while no D-Bus host
// is there, so it stays an XEmbed icon, and D-Bus hosts get our own item.
class LinuxTray : public QObject, public SystemTray {
  Q_OBJECT

 public:
  explicit LinuxTray(QDBusConnection bus);
  ~LinuxTray() override;

  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) override;
  bool TrayAvailable() override;
  void SetMouseMessageHandler(std::function<void(std::uint32_t)> handler) override {
    onMouseMessage_ = std::move(handler);
  }
  void SetTrayChangeHandler(std::function<void()> handler) override {
    onTrayChange_ = std::move(handler);
  }

  // Which way the icon shows now; for tests.
  const StatusNotifierItem* Item() const { return item_.get(); }

 private:
  void Place();
  void Deliver(std::uint32_t mouseMessage);

  TrayHostWatch watch_;
  std::optional<NotifyIconData> record_;
  std::unique_ptr<StatusNotifierItem> item_;
  std::unique_ptr<QtTrayIcon> embedded_;
  std::function<void(std::uint32_t)> onMouseMessage_;
  std::function<void()> onTrayChange_;
  bool toldNoTray_ = false;
};

}  // namespace vesperon
