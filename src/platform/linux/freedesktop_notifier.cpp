#include "platform/linux/freedesktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QStringList>
#include <QUuid>
#include <QVariantMap>
#include <utility>

namespace vesperon {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The key of the standing notice's one action.
const QString kActionKey = QStringLiteral("cancel");

// Critical: many servers then keep the notice up until the user has seen it.
constexpr unsigned char kUrgencyCritical = 2;

// Servers that take markup would read <, > and & as tags.
QString PlainText(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QDBusMessage Call(const QString& method) {
  return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

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

QDBusConnection* FreedesktopNotifier::Bus() {
  if (busAddress_.isEmpty()) return nullptr;
  if (!bus_ || !bus_->isConnected()) {
    if (bus_) QDBusConnection::disconnectFromBus(connectionName_);
    bus_ = QDBusConnection::connectToBus(busAddress_, connectionName_);
    standing_ = 0;  // a new connection's server knows nothing of ours
    if (!bus_->isConnected()) return nullptr;
    bus_->connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(OnActionInvoked(uint, QString)));
    bus_->connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(OnNotificationClosed(uint, uint)));
  }
  return &*bus_;
}

void FreedesktopNotifier::Notify(const std::string& summary, const std::string& body) {
  QDBusConnection* bus = Bus();
  if (bus == nullptr) return;
  QDBusMessage notify = Call(QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
  notify << QStringLiteral("Vesperon") << 0u << QStringLiteral("system-shutdown")
         << QString::fromStdString(summary) << PlainText(body) << QStringList() << hints << -1;
  bus->call(notify, QDBus::NoBlock);
}

void FreedesktopNotifier::Announce(const std::string& summary, const std::string& body,
                                   const std::string& action) {
  QDBusConnection* bus = Bus();
  if (bus == nullptr) return;
  const unsigned generation = ++generation_;
  wanted_ = true;
  QDBusMessage notify = Call(QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("vesperon"));
  // Up until withdrawn: the countdown's end takes it away.
  notify << QStringLiteral("Vesperon") << standing_ << QStringLiteral("vesperon")
         << QString::fromStdString(summary) << PlainText(body)
         << QStringList{kActionKey, QString::fromStdString(action)} << hints << 0;
  auto* watcher = new QDBusPendingCallWatcher(bus->asyncCall(notify), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, generation](QDBusPendingCallWatcher* call) {
            const QDBusPendingReply<uint> reply = *call;
            call->deleteLater();
            if (reply.isError()) return;
            if (generation == generation_ && wanted_)
              standing_ = reply.value();
            else
              Close(reply.value());
          });
}

void FreedesktopNotifier::Withdraw() {
  if (!wanted_) return;
  wanted_ = false;
  ++generation_;
  if (standing_ != 0) Close(standing_);
  standing_ = 0;
}

void FreedesktopNotifier::Close(uint id) {
  QDBusConnection* bus = Bus();
  if (bus == nullptr) return;
  QDBusMessage close = Call(QStringLiteral("CloseNotification"));
  close << id;
  bus->call(close, QDBus::NoBlock);
}

void FreedesktopNotifier::OnActionInvoked(uint id, const QString& key) {
  if (id == 0 || id != standing_ || key != kActionKey) return;
  if (onAction_) onAction_();
}

void FreedesktopNotifier::OnNotificationClosed(uint id, uint) {
  // Dismissed by the user or the server: there is nothing left to withdraw.
  if (id != 0 && id == standing_) standing_ = 0;
}

}  // namespace vesperon
