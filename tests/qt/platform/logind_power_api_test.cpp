#include "platform/linux/logind_power_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "env_guard.h"
#include "private_bus.h"
#include "spin_events.h"
#include "stderr_capture.h"

namespace vesperon {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr std::uint32_t kReasonAllBits = 0xFFFFFFFF;

// The adapter always talks to a bus of the test's own: never the system bus.
class LogindPowerApiTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(bus_.IsRunning()) << "dbus-daemon did not start"; }

  LogindPowerApi::BusOpener OpenPrivateBus() {
    return [this] {
      ++busesOpened_;
      return bus_.Connect();
    };
  }

  LogindPowerApi::FailureHandler RecordFailures() {
    return [this](const std::string& reason) { failures_.push_back(reason); };
  }
  LogindPowerApi::WaitingHandler RecordWaiting() {
    return [this](bool waiting) { waiting_.push_back(waiting); };
  }

  // Asks for a power-off that fails, and returns the program's lines on
  // standard error once the failure has reached it.
  std::vector<std::string> LinesOfAFailedPowerOff(LogindPowerApi& api) {
    StderrCapture errors;
    EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
    EXPECT_TRUE(SpinEventsUntil([&] { return !errors.VesperonLines().empty(); }));
    SpinEventsFor(100);
    return errors.VesperonLines();
  }

  PrivateBus bus_;
  int busesOpened_ = 0;
  std::vector<std::string> failures_;
  std::vector<bool> waiting_;
};

TEST_F(LogindPowerApiTest, EachRequestIsOneInteractivePowerOff) {
  ASSERT_TRUE(bus_.StartMockLogind());
  LogindPowerApi api(OpenPrivateBus(), RecordFailures());
  StderrCapture errors;

  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  ASSERT_TRUE(SpinEventsUntil([&] { return bus_.PowerOffArguments().size() >= 1; }));
  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  ASSERT_TRUE(SpinEventsUntil([&] { return bus_.PowerOffArguments().size() >= 2; }));
  SpinEventsFor(200);  // time for a stray duplicate, or the replies, to arrive

  EXPECT_THAT(bus_.PowerOffArguments(), ElementsAre("True", "True"));
  EXPECT_THAT(errors.VesperonLines(), IsEmpty());
  EXPECT_THAT(failures_, IsEmpty());
}

TEST_F(LogindPowerApiTest, OpensTheBusAtTheFirstPowerOffOnly) {
  ASSERT_TRUE(bus_.StartMockLogind());
  LogindPowerApi api(OpenPrivateBus(), RecordFailures());
  EXPECT_EQ(busesOpened_, 0);

  // Log off (0), shut down (1) and reboot (2) are not asked of logind.
  for (std::uint32_t flags : {0u, 1u, 2u}) EXPECT_FALSE(api.ExitWindowsEx(flags, kReasonAllBits));
  EXPECT_EQ(busesOpened_, 0);

  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  EXPECT_EQ(busesOpened_, 1);
  ASSERT_TRUE(SpinEventsUntil([&] { return bus_.PowerOffArguments().size() >= 2; }));
}

TEST_F(LogindPowerApiTest, RefusalLeavesOneLineOnStderrAndIsReportedOnce) {
  ASSERT_TRUE(bus_.StartMockLogind());
  ASSERT_TRUE(bus_.CallMock("AddMethod", {"org.freedesktop.login1.Manager", "PowerOff", "b", "",
                                          "raise dbus.exceptions.DBusException('Access denied', "
                                          "name='org.freedesktop.DBus.Error.AccessDenied')"}));
  LogindPowerApi api(OpenPrivateBus(), RecordFailures());

  EXPECT_THAT(LinesOfAFailedPowerOff(api),
              ElementsAre("vesperon: power-off request failed: "
                          "org.freedesktop.DBus.Error.AccessDenied: Access denied"));
  EXPECT_THAT(bus_.PowerOffArguments(), ElementsAre("True"));
  EXPECT_THAT(failures_, ElementsAre("Access denied"));
}

// polkit asks for a password and the user takes their time: the request
// waits, is no failure while it does, and fails only when the answer is no.
TEST_F(LogindPowerApiTest, ARequestWaitsForTheAnswerAndFailsOnlyOnANo) {
  ASSERT_TRUE(bus_.StartMockLogind());
  ASSERT_TRUE(bus_.CallMock("AddMethod", {"org.freedesktop.login1.Manager", "PowerOff", "b", "",
                                          "time.sleep(1.5); "
                                          "raise dbus.exceptions.DBusException('Access denied', "
                                          "name='org.freedesktop.DBus.Error.AccessDenied')"}));
  LogindPowerApi api(OpenPrivateBus(), RecordFailures(), RecordWaiting());
  StderrCapture errors;

  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  EXPECT_THAT(waiting_, IsEmpty()) << "reported on the event loop, not inside the request";
  SpinEventsFor(1000);
  EXPECT_THAT(waiting_, ElementsAre(true));
  EXPECT_THAT(failures_, IsEmpty());

  ASSERT_TRUE(SpinEventsUntil([&] { return !failures_.empty(); }));
  SpinEventsFor(100);
  EXPECT_THAT(failures_, ElementsAre("Access denied"));
  EXPECT_THAT(waiting_, ElementsAre(true, false));
  EXPECT_THAT(bus_.PowerOffArguments(), ElementsAre("True"));
}

TEST_F(LogindPowerApiTest, AbsentLogindLeavesOneLineOnStderr) {
  LogindPowerApi api(OpenPrivateBus(), RecordFailures());

  EXPECT_THAT(LinesOfAFailedPowerOff(api),
              ElementsAre(StartsWith("vesperon: power-off request failed: "
                                     "org.freedesktop.DBus.Error.ServiceUnknown: ")));
  EXPECT_EQ(failures_.size(), 1u);
}

// No system bus at the first request; then one comes up at that address.
TEST(LogindPowerApiReconnectTest, ABusThatComesUpLaterIsReachedByTheNextRequest) {
  QTemporaryDir dir;
  const QString address = "unix:path=" + dir.filePath("system_bus_socket");
  EnvGuard systemBus("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());
  std::vector<std::string> failures;
  LogindPowerApi api([&](const std::string& reason) { failures.push_back(reason); });
  StderrCapture errors;

  EXPECT_FALSE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  ASSERT_TRUE(SpinEventsUntil([&] { return !failures.empty(); }));
  EXPECT_THAT(errors.VesperonLines(),
              ElementsAre(StartsWith("vesperon: power-off request failed: ")));

  PrivateBus bus(address);
  ASSERT_TRUE(bus.IsRunning()) << "dbus-daemon did not start at " << address.toStdString();
  ASSERT_TRUE(bus.StartMockLogind());
  EXPECT_TRUE(api.ExitWindowsEx(kEwxPowerOff, kReasonAllBits));
  ASSERT_TRUE(SpinEventsUntil([&] { return !bus.PowerOffArguments().isEmpty(); }));
  SpinEventsFor(100);
  EXPECT_THAT(bus.PowerOffArguments(), ElementsAre("True"));
  EXPECT_EQ(failures.size(), 1u);
}

}  // namespace
}  // namespace vesperon
