#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vesperon {
namespace {

TEST(CommandLine, OnlyAWholeSwitchAsksForAText) {
  EXPECT_EQ(CommandLineAnswer({"--version"}), "Vesperon 1.0.10\n");
  const std::optional<std::string> help = CommandLineAnswer({"--help"});
  ASSERT_TRUE(help.has_value());
  EXPECT_EQ(help->rfind("Usage: vesperon", 0), 0u);
  for (const char* option : {"--at", "--arm", "--disarm", "--status", "--quit"})
    EXPECT_NE(help->find(option), std::string::npos) << option;

  // The clock's own switches, and anything without an option, start the
  // clock; the switches count only as the whole command line.
  const std::vector<std::vector<std::string>> clockStarts = {
      {},    {"/autostart"}, {"/debugskin"}, {"/AUTOSTART"}, {"/autostart", "x"}, {" --version"},
      {"-h"}};
  for (const std::vector<std::string>& arguments : clockStarts) {
    EXPECT_FALSE(CommandLineAnswer(arguments).has_value()) << ::testing::PrintToString(arguments);
    EXPECT_FALSE(RequestsOfCommandLine(arguments).has_value())
        << ::testing::PrintToString(arguments);
  }
}

// Options are carried out in their order; a command line with an option is
// all options, or it is refused whole, before anything is asked.
TEST(CommandLine, OptionsBecomeRequestsInTheirOrderOrTheWholeLineIsRefused) {
  const auto requests = RequestsOfCommandLine(
      {"--at", "7:05", "--arm", "--disarm", "--at", "23:59:59", "--status", "--quit"});
  ASSERT_TRUE(requests.has_value());
  EXPECT_EQ(requests->error, "");
  const std::vector<InstanceRequest> expected = {
      {RequestVerb::At, {7, 5, 0}},    {RequestVerb::Arm, {}},    {RequestVerb::Disarm, {}},
      {RequestVerb::At, {23, 59, 59}}, {RequestVerb::Status, {}}, {RequestVerb::Quit, {}}};
  EXPECT_EQ(requests->requests, expected);

  const std::vector<std::vector<std::string>> refused = {
      {"--at", "25:00"}, {"--at", "23:60"},      {"--at", "23:30:60"}, {"--at", "23"},
      {"--at", "23:5"},  {"--at", "123:00"},     {"--at", "-1:00"},    {"--at", "23:30 "},
      {"--at"},          {"--at", "--arm"},      {"--arm", "now"},     {"/autostart", "--status"},
      {"--HELP"},        {"--help", "--status"}, {"--version", ""},    {"--arm", "--frob"}};
  for (const std::vector<std::string>& arguments : refused) {
    const auto wrong = RequestsOfCommandLine(arguments);
    ASSERT_TRUE(wrong.has_value()) << ::testing::PrintToString(arguments);
    EXPECT_NE(wrong->error, "") << ::testing::PrintToString(arguments);
    EXPECT_TRUE(wrong->requests.empty()) << ::testing::PrintToString(arguments);
  }
}

}  // namespace
}  // namespace vesperon
