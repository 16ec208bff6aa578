#include "platform/linux/logind_power_api.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QUuid>
#include <iostream>
#include <limits>
#include <utility>

namespace vesperon {

namespace {

// polkit may keep the request waiting while the user types a password, for
// as long as the user takes; any deadline of ours would report a failure
// for a power-off that may still happen. libdbus reads this as none.
constexpr int kNoReplyTimeout = std::numeric_limits<int>::max();
// Where the system bus listens when the environment names no other place.
constexpr char kDefaultSystemBus[] = "unix:path=/var/run/dbus/system_bus_socket";

}  // namespace

LogindPowerApi::LogindPowerApi(FailureHandler onFailure, WaitingHandler onWaiting)
    : LogindPowerApi([this] { return OpenSystemBus(); }, std::move(onFailure),
                     std::move(onWaiting)) {}

LogindPowerApi::LogindPowerApi(BusOpener openBus, FailureHandler onFailure,
                               WaitingHandler onWaiting)
    : openBus_(std::move(openBus)),
      onFailure_(std::move(onFailure)),
      onWaiting_(std::move(onWaiting)) {}

LogindPowerApi::~LogindPowerApi() {
  // Replies still on their way concern no one any more.
  qDeleteAll(pendingReplies_.children());
  if (!connectionName_.isEmpty()) QDBusConnection::disconnectFromBus(connectionName_);
}

// Not QDBusConnection::systemBus(): Qt keeps that one for the life of the
// process, and one that failed to connect stays failed.
QDBusConnection LogindPowerApi::OpenSystemBus() {
  if (!connectionName_.isEmpty()) QDBusConnection::disconnectFromBus(connectionName_);
  connectionName_ = QStringLiteral("vesperon-logind-") + QUuid::createUuid().toString(QUuid::Id128);
  QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
  if (address.isEmpty()) address = QString::fromLatin1(kDefaultSystemBus);
  return QDBusConnection::connectToBus(address, connectionName_);
}

bool LogindPowerApi::RequestPowerOff(std::uint32_t /*flags*/, std::uint32_t /*reserved*/) {
  // A bus that was not there last time may be there now.
  if (!bus_ || !bus_->isConnected()) bus_ = openBus_();
  if (!bus_->isConnected()) {
    ReportFailure(bus_->lastError());
    return false;
  }

  QDBusMessage request =
      QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1",
                                     "org.freedesktop.login1.Manager", "PowerOff");
  request << true;  // interactive
  request.setInteractiveAuthorizationAllowed(true);

  auto* watcher =
      new QDBusPendingCallWatcher(bus_->asyncCall(request, kNoReplyTimeout), &pendingReplies_);
  if (++unanswered_ == 1 && onWaiting_) Queue([onWaiting = onWaiting_] { onWaiting(true); });
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [this](QDBusPendingCallWatcher* finished) {
                     if (finished->isError()) ReportFailure(finished->error());
                     if (--unanswered_ == 0 && onWaiting_)
                       Queue([onWaiting = onWaiting_] { onWaiting(false); });
                     finished->deleteLater();
                   });
  return true;
}

void LogindPowerApi::ReportFailure(const QDBusError& error) {
  std::cerr << "vesperon: power-off request failed: " << error.name().toStdString() << ": "
            << error.message().toStdString() << '\n';
  if (!onFailure_) return;
  const std::string reason =
      (error.message().isEmpty() ? error.name() : error.message()).toStdString();
  Queue([onFailure = onFailure_, reason] { onFailure(reason); });
}

// Never from inside the request: the caller is still busy with it.
void LogindPowerApi::Queue(std::function<void()> report) {
  QMetaObject::invokeMethod(&pendingReplies_, std::move(report), Qt::QueuedConnection);
}

}  // namespace vesperon
