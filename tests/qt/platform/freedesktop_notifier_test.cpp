#include "platform/linux/freedesktop_notifier.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "private_bus.h"
#include "spin_events.h"

namespace vesperon {
namespace {

using ::testing::HasSubstr;

TEST(FreedesktopNotifierTest, OneNoticeReachesTheServerWithItsTextAsPlainText) {
  PrivateBus bus;
  ASSERT_TRUE(bus.IsRunning());
  ASSERT_TRUE(bus.StartMockNotifications());
  FreedesktopNotifier notifier(bus.Address());

  notifier.Notify("No se pudo apagar el equipo", "Access <denied> & more");
  ASSERT_TRUE(SpinEventsUntil([&] { return !bus.Notifications().isEmpty(); }));
  SpinEventsFor(200);  // time for a stray second notice

  const QStringList notices = bus.Notifications();
  ASSERT_EQ(notices.size(), 1);
  // Application, replaces nothing, icon, summary, body, no actions, hints, default time.
  EXPECT_THAT(
      notices[0].toStdString(),
      HasSubstr(" Notify \"Vesperon\" 0 \"system-shutdown\" \"No se pudo apagar el equipo\" "
                "\"Access &lt;denied&gt; &amp; more\" [] {\"urgency\": 2} -1"));
}

}  // namespace
}  // namespace vesperon
