#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

// A D-Bus daemon of the test's own, with a mock logind on it when asked
// (python-dbusmock's logind template), so no test can reach the machine's
// real power-off; or a mock notification server.
class PrivateBus {
 public:
  // At an address of the daemon's choosing, or at `address`.
  explicit PrivateBus(const QString& address = {});
  PrivateBus(const PrivateBus&) = delete;
  PrivateBus& operator=(const PrivateBus&) = delete;
  ~PrivateBus();

  bool IsRunning() const { return !address_.isEmpty(); }
  const QString& Address() const { return address_; }

  // A new connection of its own to this bus.
  QDBusConnection Connect();

  // Starts the mock and returns once it owns org.freedesktop.login1.
  bool StartMockLogind();
  // Starts a mock notification server (dbusmock's notification_daemon) and
  // returns once it owns org.freedesktop.Notifications.
  bool StartMockNotifications();
  // The mock server's log: one line per Notify, with its arguments.
  QStringList Notifications() const;
  // Calls a method of the mock's control interface, org.freedesktop.DBus.Mock.
  bool CallMock(const QString& method, const QVariantList& arguments);
  // The lines the mock logged, one per method called on it.
  QStringList MockLog() const;
  // The argument of each PowerOff the mock saw, as it logs it: "True" for
  // PowerOff(true).
  QStringList PowerOffArguments() const;

 private:
  // Starts python-dbusmock's `dbusTemplate` on this bus (`busOption`:
  // --system or --session), logging to `log` in the bus's folder, and
  // returns once it owns the bus name `name`.
  bool StartMock(QProcess& mock, const QString& busOption, const QString& dbusTemplate,
                 const QString& log, const QString& name);

  QTemporaryDir dir_;
  QProcess daemon_;
  QProcess mock_;
  QProcess notificationsMock_;
  QString address_;
  QStringList connectionNames_;
  QDBusConnection control_{QString()};
};
