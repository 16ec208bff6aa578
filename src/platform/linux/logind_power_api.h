#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "platform/linux/no_token_power_api.h"

class QDBusError;

namespace vesperon {

// Asks systemd-logind to power off: org.freedesktop.login1.Manager.PowerOff
// with interactive authorization, so polkit may ask the user for a password.
// The request is sent without waiting for the answer (the clock must keep
// ticking). A refusal, or no logind at all, leaves one line on standard
// error and is handed to the failure handler on the event loop. A request
// that waits for a password is not a failure, however long it waits: the
// waiting handler hears that it waits, and again when the answer came.
class LogindPowerApi final : public NoTokenPowerApi {
 public:
  using BusOpener = std::function<QDBusConnection()>;
  using FailureHandler = std::function<void(const std::string& reason)>;
  using WaitingHandler = std::function<void(bool waiting)>;

  // The system bus (DBUS_SYSTEM_BUS_ADDRESS, when set, names it), on a
  // connection of the adapter's own: one that failed, or was lost, is
  // opened anew at the next request.
  explicit LogindPowerApi(FailureHandler onFailure, WaitingHandler onWaiting = {});
  // The bus is opened at the first request, not before: a clock that never
  // powers off never touches it.
  LogindPowerApi(BusOpener openBus, FailureHandler onFailure, WaitingHandler onWaiting = {});
  ~LogindPowerApi() override;
  LogindPowerApi(const LogindPowerApi&) = delete;
  LogindPowerApi& operator=(const LogindPowerApi&) = delete;

 protected:
  bool RequestPowerOff(std::uint32_t flags, std::uint32_t reserved) override;

 private:
  QDBusConnection OpenSystemBus();
  void ReportFailure(const QDBusError& error);
  // On the event loop, after what was queued before.
  void Queue(std::function<void()> report);

  BusOpener openBus_;
  QString connectionName_;  // of the system bus connection opened last
  FailureHandler onFailure_;
  WaitingHandler onWaiting_;
  int unanswered_ = 0;
  std::optional<QDBusConnection> bus_;
  QObject pendingReplies_;  // parent of the watchers still waiting for logind
};

}  // namespace vesperon
