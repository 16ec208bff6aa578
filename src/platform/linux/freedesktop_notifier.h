#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "ports/desktop_notifier.h"

namespace vesperon {

// Desktop notices through org.freedesktop.Notifications on the session bus.
// Calls are sent without waiting for an answer; with no session bus, or no
// notification server on it, nothing shows and nothing is said.
class FreedesktopNotifier final : public QObject, public DesktopNotifier {
  Q_OBJECT

 public:
  // The user's session bus: DBUS_SESSION_BUS_ADDRESS, else the bus socket in
  // XDG_RUNTIME_DIR; empty when there is neither. Never one started for us.
  static QString SessionBusAddress();

  explicit FreedesktopNotifier(QString busAddress = SessionBusAddress());
  ~FreedesktopNotifier() override;
  FreedesktopNotifier(const FreedesktopNotifier&) = delete;
  FreedesktopNotifier& operator=(const FreedesktopNotifier&) = delete;

  void Notify(const std::string& summary, const std::string& body) override;
  void Announce(const std::string& summary, const std::string& body,
                const std::string& action) override;
  void Withdraw() override;
  void SetActionHandler(std::function<void()> handler) override { onAction_ = std::move(handler); }

 private slots:
  void OnActionInvoked(uint id, const QString& key);
  void OnNotificationClosed(uint id, uint reason);

 private:
  // The bus, opened at the first notice and again after it has gone away;
  // nullptr when it cannot be reached.
  QDBusConnection* Bus();
  void Close(uint id);

  QString busAddress_;
  QString connectionName_;
  std::optional<QDBusConnection> bus_;
  std::function<void()> onAction_;
  // The standing notice as the server numbered it; 0 while none is up or
  // its number has not come back yet.
  uint standing_ = 0;
  // Counts the standing notices asked for and withdrawn: a number that
  // comes back for one no longer wanted is closed at once.
  unsigned generation_ = 0;
  bool wanted_ = false;
};

}  // namespace vesperon
