#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>

#include "platform/linux/no_token_power_api.h"

class QDBusError;

namespace vesperon {

// Asks systemd-logind to power off: org.freedesktop.login1.Manager.PowerOff
// with interactive authorization, so polkit may ask the user for a password.
// The request is sent without waiting for the answer (the clock must keep
// ticking); a refusal, or no logind at all, only leaves one line on standard
// error.
class LogindPowerApi final : public NoTokenPowerApi {
 public:
  using BusOpener = std::function<QDBusConnection()>;

  // The system bus (DBUS_SYSTEM_BUS_ADDRESS, when set, names it).
  LogindPowerApi();
  // The bus is opened at the first request, not before: a clock that never
  // powers off never touches it.
  explicit LogindPowerApi(BusOpener openBus);

 protected:
  bool RequestPowerOff(std::uint32_t flags, std::uint32_t reserved) override;

 private:
  static void ReportFailure(const QDBusError& error);

  BusOpener openBus_;
  std::optional<QDBusConnection> bus_;
  QObject pendingReplies_;  // parent of the watchers still waiting for logind
};

}  // namespace vesperon
