#include "platform/linux/freedesktop_notifier.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>
#include <QVariantMap>
#include <utility>

namespace vesperon {

namespace {

// Critical: many servers then keep the notice up until the user has seen it.
constexpr unsigned char kUrgencyCritical = 2;

// Servers that take markup would read <, > and & as tags.
QString PlainText(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

}  // namespace

QString FreedesktopNotifier::SessionBusAddress() {
  const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
  if (!address.isEmpty()) return address;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString socket = runtime + QStringLiteral("/bus");
  if (!runtime.isEmpty() && QFileInfo(socket).exists())
    return QStringLiteral("unix:path=") + socket;
  return {};
}

FreedesktopNotifier::FreedesktopNotifier(QString busAddress)
    : busAddress_(std::move(busAddress)),
      connectionName_(QStringLiteral("vesperon-notifications-") +
                      QUuid::createUuid().toString(QUuid::Id128)) {}

FreedesktopNotifier::~FreedesktopNotifier() {
  if (bus_) QDBusConnection::disconnectFromBus(connectionName_);
}

void FreedesktopNotifier::Notify(const std::string& summary, const std::string& body) {
  if (busAddress_.isEmpty()) return;
  // Opened at the first notice, and again after the bus has gone away.
  if (!bus_ || !bus_->isConnected()) {
    if (bus_) QDBusConnection::disconnectFromBus(connectionName_);
    bus_ = QDBusConnection::connectToBus(busAddress_, connectionName_);
  }
  if (!bus_->isConnected()) return;

  QDBusMessage notify = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
  notify << QStringLiteral("Vesperon") << 0u << QStringLiteral("system-shutdown")
         << QString::fromStdString(summary) << PlainText(body) << QStringList() << hints << -1;
  bus_->call(notify, QDBus::NoBlock);
}

}  // namespace vesperon
