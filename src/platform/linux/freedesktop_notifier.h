#pragma once

#include <QDBusConnection>
#include <QString>
#include <optional>
#include <string>

#include "ports/desktop_notifier.h"

namespace vesperon {

// Desktop notices through org.freedesktop.Notifications on the session bus.
// The call is sent without waiting for an answer; with no session bus, or no
// notification server on it, nothing shows and nothing is said.
class FreedesktopNotifier final : public DesktopNotifier {
 public:
  // The user's session bus: DBUS_SESSION_BUS_ADDRESS, else the bus socket in
  // XDG_RUNTIME_DIR; empty when there is neither. Never one started for us.
  static QString SessionBusAddress();

  explicit FreedesktopNotifier(QString busAddress = SessionBusAddress());
  ~FreedesktopNotifier() override;
  FreedesktopNotifier(const FreedesktopNotifier&) = delete;
  FreedesktopNotifier& operator=(const FreedesktopNotifier&) = delete;

  void Notify(const std::string& summary, const std::string& body) override;

 private:
  QString busAddress_;
  QString connectionName_;
  std::optional<QDBusConnection> bus_;
};

}  // namespace vesperon
