#include "platform/linux/linux_tray.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QSignalSpy>

#include "qt/qt_picture_loader.h"
#include "platform/linux/linux_file_system.h"
#include "private_bus.h"
#include "spin_events.h"
#include "stderr_capture.h"
#include "tray/mod_tray.h"

namespace vesperon {

// A panel's watcher with a host registered, served on a connection of its own.
class FakeStatusNotifierWatcher : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
  Q_PROPERTY(bool IsStatusNotifierHostRegistered READ IsStatusNotifierHostRegistered)

 public:
  explicit FakeStatusNotifierWatcher(QDBusConnection bus) : bus_(bus) {
    bus_.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    bus_.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
  }
  ~FakeStatusNotifierWatcher() override {
    bus_.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    bus_.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
  }
  bool IsStatusNotifierHostRegistered() const { return true; }

  QStringList items;

 public slots:
  void RegisterStatusNotifierItem(const QString& service) { items << service; }

 private:
  QDBusConnection bus_;
};

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class LinuxTrayTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus_.IsRunning()) << "dbus-daemon did not start"; }

  // A property as a panel reads it, over the bus. The item is served by
  // this very thread, so the answer is awaited with the event loop running.
  QVariant ItemProperty(const QString& service, const char* name) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierItem") << QString::fromLatin1(name);
    QDBusPendingCall pending = panel_.asyncCall(get);
    if (!SpinEventsUntil([&] { return pending.isFinished(); })) return {};
    const QDBusReply<QDBusVariant> reply = pending.reply();
    const QVariant value = reply.value().variant();
    if (value.userType() != qMetaTypeId<QDBusArgument>()) return value;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() == QLatin1String("a(iiay)"))
      return QVariant::fromValue(qdbus_cast<SniPixmaps>(argument));
    return QVariant::fromValue(qdbus_cast<SniToolTip>(argument));
  }
  void Click(const QString& service, const char* method) {
    QDBusMessage click = QDBusMessage::createMethodCall(
        service, QStringLiteral("/StatusNotifierItem"),
        QStringLiteral("org.kde.StatusNotifierItem"), QString::fromLatin1(method));
    click << 5 << 5;
    panel_.asyncCall(click);
  }

  PrivateBus bus_;
  QDBusConnection panel_ = bus_.Connect();
  LinuxFileSystem files_;
  QtPictureLoader pictures_{files_};
};

// The icon follows a panel that starts after the program and goes away
// again; the panel's clicks come back as the two mouse messages.
TEST_F(LinuxTrayTest, AnItemForEachPanelThatComesWithClicksAsMouseMessages) {
  LinuxTray tray(bus_.Connect());
  ModTray record(tray);
  std::vector<std::uint32_t> messages;
  int changes = 0;
  tray.SetMouseMessageHandler([&](std::uint32_t message) { messages.push_back(message); });
  tray.SetTrayChangeHandler([&] { ++changes; });

  {
    StderrCapture errors;
    EXPECT_FALSE(tray.TrayAvailable());
    EXPECT_FALSE(tray.TrayAvailable());
    EXPECT_THAT(errors.VesperonLines(), ElementsAre(HasSubstr("no system tray")));
  }
  Form window;
  window.icon = pictures_.BuiltIn("tray1.ico");
  record.AgregarIconoBandeja(window);
  EXPECT_EQ(tray.Item(), nullptr);

  auto watcher = std::make_unique<FakeStatusNotifierWatcher>(panel_);
  ASSERT_TRUE(SpinEventsUntil([&] { return !watcher->items.isEmpty(); }));
  ASSERT_NE(tray.Item(), nullptr);
  EXPECT_TRUE(tray.TrayAvailable());
  EXPECT_GE(changes, 1);
  const QString service = tray.Item()->ServiceName();
  EXPECT_THAT(watcher->items, ElementsAre(service));
  EXPECT_EQ(ItemProperty(service, "Title").toString(), QStringLiteral("Vesperon"));

  // Armed: the tip and the picture change, and the panel is told.
  const SniPixmaps before = ItemProperty(service, "IconPixmap").value<SniPixmaps>();
  ASSERT_EQ(before.size(), 1);
  EXPECT_EQ(before[0].width, 32);
  QSignalSpy newTip(tray.Item(), &StatusNotifierItem::NewToolTip);
  QSignalSpy newIcon(tray.Item(), &StatusNotifierItem::NewIcon);
  record.CambiarTipBandeja("Vesperon - Inciado");
  record.CambiarIconoBandeja(pictures_.BuiltIn("tray2.ico"));
  EXPECT_EQ(ItemProperty(service, "ToolTip").value<SniToolTip>().title,
            QStringLiteral("Vesperon - Inciado"));
  EXPECT_NE(ItemProperty(service, "IconPixmap").value<SniPixmaps>().value(0).pixels,
            before[0].pixels);
  EXPECT_EQ(newTip.count(), 1);
  EXPECT_EQ(newIcon.count(), 1);

  Click(service, "Activate");
  Click(service, "ContextMenu");
  Click(service, "SecondaryActivate");
  ASSERT_TRUE(SpinEventsUntil([&] { return messages.size() >= 2; }));
  SpinEventsFor(100);
  EXPECT_EQ(messages, (std::vector<std::uint32_t>{513, 517}));

  watcher.reset();
  ASSERT_TRUE(SpinEventsUntil([&] { return tray.Item() == nullptr; }));
  EXPECT_FALSE(tray.TrayAvailable());
}

// The XEmbed icon's clicks: a double click acts through its first press only.
TEST(QtTrayIconTest, ActivationsAreTheTwoMouseMessages) {
  EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Trigger), 513u);
  EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::Context), 517u);
  EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::DoubleClick), 0u);
  EXPECT_EQ(TrayMouseMessage(QSystemTrayIcon::MiddleClick), 0u);
}

}  // namespace
}  // namespace vesperon

#include "linux_tray_test.moc"
