#include <gtest/gtest.h>

#include <cstdlib>

#include "ports/platform.h"

namespace vesperon {
namespace {

// Built apart from the other adapter tests: only this program links the
// system's power-off calls, and it never calls them.
TEST(Win32Platform, EveryPortHasItsAdapter) {
  ASSERT_STREQ(std::getenv("VESPERON_DRY_RUN"), "1");
  const Platform platform = MakePlatform({"ignored"});
  EXPECT_TRUE(platform.environment && platform.settings && platform.powerOffFailures &&
              platform.power && platform.speaker && platform.registry && platform.termination &&
              platform.notifier);
}

}  // namespace
}  // namespace vesperon
