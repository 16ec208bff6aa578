#include "app/running_clock_commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/command_line.h"
#include "main_harness.h"

namespace vesperon {
namespace {

// The start that carries a command line (`client`) and the clock that runs
// (`clock`), joined as the channel joins them.
struct RunningClockCommands : ::testing::Test {
  void SetUp() override {
    ASSERT_TRUE(clock.Start());
    client.prevInstance = true;
    client.runningCopy = [&](const std::string& line) {
      return AnswerLaterStart(clock.main, line);
    };
  }
  int Run(const std::vector<std::string>& arguments) {
    const std::optional<CommandLineRequests> commands = RequestsOfCommandLine(arguments);
    EXPECT_TRUE(commands && commands->error.empty());
    out.str({});
    err.str({});
    return CarryOutCommands(client, commands->requests, out, err);
  }
  MainHarness clock;
  FakeEnvironment client;
  std::ostringstream out, err;
};

// With no clock running, one is started hidden before the first request;
// then each answer is printed in turn. A command line that only asks to
// quit has nothing to end and starts none.
TEST_F(RunningClockCommands, NoClockRunningStartsOneThatCarriesTheRequestsOut) {
  client.prevInstance = false;
  EXPECT_EQ(Run({"--quit"}), 0);
  EXPECT_EQ(client.hiddenStarts, 0);
  EXPECT_TRUE(client.asked.empty());

  EXPECT_EQ(Run({"--at", "23:30", "--arm", "--status"}), 0);
  EXPECT_EQ(client.hiddenStarts, 1);
  EXPECT_EQ(client.asked, (std::vector<std::string>{"at 23:30:00", "arm", "status"}));
  EXPECT_EQ(out.str(),
            "accepted, not armed 2026-12-07 23:30:00\n"
            "armed 2026-12-07 23:30:00\n"
            "armed 2026-12-07 23:30:00\n");
  EXPECT_EQ(err.str(), "");

  client.hiddenCopyListens = false;
  EXPECT_EQ(Run({"--status"}), 1);
  EXPECT_NE(err.str().find("the clock did not start"), std::string::npos);
}

// The first refusal ends the run with status 1 and says why; nothing after
// it is sent. No answer, or one that is not the protocol's, fails the same
// way, and no control character reaches the terminal. "quit" waits for the
// clock to be gone.
TEST_F(RunningClockCommands, ARefusalOrAMissingAnswerStopsTheRunWithStatusOne) {
  EXPECT_EQ(Run({"--arm", "--status"}), 1);
  EXPECT_EQ(err.str(), "vesperon: no accepted time\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_EQ(client.asked, std::vector<std::string>{"arm"});

  for (const char* answer : {"", "ok\x1b]0;x\x07", "fine", "okay"}) {
    client.runningCopy = [&](const std::string&) { return std::string(answer); };
    EXPECT_EQ(Run({"--status"}), 1) << answer;
    EXPECT_EQ(out.str(), "") << answer;
  }
  client.runningCopy = nullptr;
  EXPECT_EQ(Run({"--status"}), 1);
  EXPECT_EQ(err.str(), "vesperon: the running clock did not answer\n");

  client.runningCopy = [&](const std::string&) { return std::string("ok"); };
  EXPECT_EQ(Run({"--quit"}), 0);
  EXPECT_EQ(client.endWaits, 1);
}

// A wrong command line is refused before anything is asked or started.
TEST(CarryOutCommandLine, AWrongCommandLineTouchesNoClock) {
  std::ostringstream out, err;
  bool made = false;
  const auto make = [&] {
    made = true;
    return std::make_unique<FakeEnvironment>();
  };
  EXPECT_EQ(CarryOutCommandLine({"--at", "25:00", "--arm"}, make, out, err), kUsageStatus);
  EXPECT_FALSE(made);
  EXPECT_NE(err.str().find("'25:00' is no time of day"), std::string::npos);
  EXPECT_EQ(CarryOutCommandLine({"/autostart"}, make, out, err), std::nullopt);
}

}  // namespace
}  // namespace vesperon
