#include "platform/linux/dry_run_power_api.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/linux/logind_power_api.h"
#include "platform/linux/platform_factory.h"
#include "private_bus.h"
#include "env_guard.h"
#include "spin_events.h"
#include "stderr_capture.h"

namespace vesperon {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(PowerApiFactoryTest, DryRunOnlyWhenTheVariableIsExactlyOne) {
  const PowerOffFailures failures;
  {
    EnvGuard dryRun("VESPERON_DRY_RUN", "1");
    EXPECT_NE(dynamic_cast<DryRunPowerApi*>(MakePowerApi(failures).get()), nullptr);
  }
  // Building the logind adapter touches no bus, so these are safe to make.
  for (const std::optional<QByteArray>& value :
       {std::optional<QByteArray>(), {"0"}, {"yes"}, {"1 "}, {""}}) {
    EnvGuard dryRun("VESPERON_DRY_RUN", value);
    EXPECT_NE(dynamic_cast<LogindPowerApi*>(MakePowerApi(failures).get()), nullptr)
        << "VESPERON_DRY_RUN=" << value.value_or("(unset)").constData();
  }
}

// The whole Windows NT path, privilege first, as the executor runs it on a
// dry run, with a mock logind on the bus the system bus variable names: it
// must report once and send nothing.
TEST(DryRunPowerApiTest, ReportsThePowerOffAndNeverAsksLogind) {
  PrivateBus bus;
  ASSERT_TRUE(bus.IsRunning());
  ASSERT_TRUE(bus.StartMockLogind());
  EnvGuard systemBus("DBUS_SYSTEM_BUS_ADDRESS", bus.Address().toUtf8());
  EnvGuard dryRun("VESPERON_DRY_RUN", "1");
  PowerOffFailures failures;
  int failuresReported = 0;
  failures.SetHandler([&](const std::string&) { ++failuresReported; });
  std::unique_ptr<PowerApi> api = MakePowerApi(failures);
  ASSERT_NE(dynamic_cast<DryRunPowerApi*>(api.get()), nullptr);  // never call the real thing
  StderrCapture errors;

  const Handle process = api->GetCurrentProcess();
  Handle token = 0;
  EXPECT_TRUE(api->OpenProcessToken(process, kTokenAdjustPrivileges | kTokenQuery, token));
  Luid luid;
  EXPECT_TRUE(api->LookupPrivilegeValueA("", "SeShutdownPrivilege", luid));
  TokenPrivileges previous;
  std::uint32_t returnLength = 0;
  EXPECT_TRUE(api->AdjustTokenPrivileges(token, false, {1, luid, kSePrivilegeEnabled},
                                         sizeof(TokenPrivileges), previous, returnLength));
  EXPECT_THAT(errors.VesperonLines(), IsEmpty());

  EXPECT_FALSE(api->ExitWindowsEx(0, 0xFFFFFFFF));
  EXPECT_TRUE(api->ExitWindowsEx(kEwxPowerOff, 0xFFFFFFFF));
  SpinEventsFor(200);

  EXPECT_THAT(errors.VesperonLines(),
              ElementsAre("vesperon: dry run: power-off requested (ExitWindowsEx flags 8)"));
  EXPECT_THAT(bus.MockLog(), IsEmpty());
  EXPECT_EQ(failuresReported, 0);  // a request that went out, as far as anyone can tell
}

}  // namespace
}  // namespace vesperon
