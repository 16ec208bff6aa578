#include "app/command_line.h"

#include <gtest/gtest.h>

namespace vesperon {
namespace {

TEST(CommandLine, OnlyAWholeSwitchAsksForAText) {
  EXPECT_EQ(CommandLineAnswer({"--version"}), "Vesperon 1.0.10\n");
  const std::optional<std::string> help = CommandLineAnswer({"--help"});
  ASSERT_TRUE(help.has_value());
  EXPECT_EQ(help->rfind("Usage: vesperon", 0), 0u);

  // The clock's own switches, and anything that is not one switch alone,
  // start the clock.
  const std::vector<std::vector<std::string>> others = {{},
                                                        {"/autostart"},
                                                        {"/debugskin"},
                                                        {"--HELP"},
                                                        {"--help", "/autostart"},
                                                        {"/autostart", "--help"},
                                                        {"--version", ""},
                                                        {" --version"},
                                                        {"-h"}};
  for (const std::vector<std::string>& arguments : others)
    EXPECT_FALSE(CommandLineAnswer(arguments).has_value()) << ::testing::PrintToString(arguments);
}

}  // namespace
}  // namespace vesperon
