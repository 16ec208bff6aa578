#include "private_bus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcessEnvironment>

#include "spin_events.h"

namespace {

constexpr int kStartTimeoutMs = 10000;

void Stop(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.terminate();
  if (!process.waitForFinished(3000)) {
    process.kill();
    process.waitForFinished(3000);
  }
}

}  // namespace

PrivateBus::PrivateBus(const QString& address) {
  daemon_.setStandardErrorFile(QProcess::nullDevice());
  QStringList arguments{"--session", "--nofork", "--print-address=1"};
  if (!address.isEmpty()) arguments << "--address=" + address;
  daemon_.start("dbus-daemon", arguments);
  if (!daemon_.waitForStarted(kStartTimeoutMs)) return;
  while (!daemon_.canReadLine() && daemon_.waitForReadyRead(kStartTimeoutMs)) {
  }
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  control_ = Connect();
}

PrivateBus::~PrivateBus() {
  for (const QString& name : connectionNames_) QDBusConnection::disconnectFromBus(name);
  Stop(mock_);
  Stop(notificationsMock_);
  Stop(daemon_);
}

QDBusConnection PrivateBus::Connect() {
  const QString name = QStringLiteral("vesperon-test-bus-%1-%2")
                           .arg(daemon_.processId())
                           .arg(connectionNames_.size());
  connectionNames_ << name;
  return QDBusConnection::connectToBus(address_, name);
}

bool PrivateBus::StartMockLogind() {
  return StartMock(mock_, "--system", "logind", "logind.log", "org.freedesktop.login1");
}

bool PrivateBus::StartMockNotifications() {
  return StartMock(notificationsMock_, "--session", "notification_daemon", "notifications.log",
                   "org.freedesktop.Notifications");
}

bool PrivateBus::StartMock(QProcess& mock, const QString& busOption, const QString& dbusTemplate,
                           const QString& log, const QString& name) {
  // The mock finds this bus as its system or its session bus.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DBUS_SYSTEM_BUS_ADDRESS", address_);
  environment.insert("DBUS_SESSION_BUS_ADDRESS", address_);
  mock.setProcessEnvironment(environment);
  mock.setStandardOutputFile(QProcess::nullDevice());
  mock.setStandardErrorFile(QProcess::nullDevice());
  // Debian's own Python, which has dbusmock; the first python3 on PATH may not.
  mock.start("/usr/bin/python3",
             {"-m", "dbusmock", busOption, "-l", dir_.filePath(log), "--template", dbusTemplate});
  if (!mock.waitForStarted(kStartTimeoutMs)) return false;
  return SpinEventsUntil(
      [&] {
        return mock.state() == QProcess::Running &&
               control_.interface()->isServiceRegistered(name).value();
      },
      kStartTimeoutMs);
}

QStringList PrivateBus::Notifications() const {
  QFile log(dir_.filePath("notifications.log"));
  if (!log.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts).filter(" Notify ");
}

bool PrivateBus::CallMock(const QString& method, const QVariantList& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.DBus.Mock", method);
  call.setArguments(arguments);
  return control_.call(call).type() == QDBusMessage::ReplyMessage;
}

QStringList PrivateBus::MockLog() const {
  QFile log(dir_.filePath("logind.log"));
  if (!log.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

QStringList PrivateBus::PowerOffArguments() const {
  // "<time> PowerOff True" per call; a raised error adds "<time> PowerOff raised: ...".
  QStringList arguments;
  for (const QString& line : MockLog()) {
    const QStringList words = line.split(' ');
    if (words.size() == 3 && words[1] == "PowerOff") arguments << words[2];
  }
  return arguments;
}
