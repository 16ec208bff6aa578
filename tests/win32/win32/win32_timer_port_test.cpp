#include "win32/win32_timer_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "win32_test_support.h"

namespace vesperon {
namespace {

TEST(Win32TimerPort, FaceTimersTickAfterTheirBoundariesAndShareWakeUps) {
  struct TickAt {
    int interval;
    long long ms;
  };
  std::vector<TickAt> ticks;
  int wakeUps = 0;
  Win32TimerPort port([&] { ++wakeUps; });
  // Started in this order, so a whole second ticks the second timer first.
  Timer blink(port, 500, false, TimerPhase::WallClock);
  Timer seconds(port, 1000, false, TimerPhase::WallClock);
  blink.SetHandler([&] { ticks.push_back({500, Win32TimerPort::NowMs()}); });
  seconds.SetHandler([&] { ticks.push_back({1000, Win32TimerPort::NowMs()}); });
  blink.SetEnabled(true);
  seconds.SetEnabled(true);

  const auto count = [&](int interval) {
    return std::count_if(ticks.begin(), ticks.end(),
                         [&](const TickAt& t) { return t.interval == interval; });
  };
  ASSERT_TRUE(PumpMessagesUntil([&] { return count(1000) == 3; }));
  blink.SetEnabled(false);
  seconds.SetEnabled(false);

  long long lastSecond = -1, lastHalf = -1;
  std::set<long long> boundaries;
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    const TickAt& tick = ticks[i];
    SCOPED_TRACE(std::to_string(tick.interval) + " ms tick at " + std::to_string(tick.ms % 1000));
    boundaries.insert(tick.ms / 500);
    if (tick.interval == 1000) {
      // Never before the second has turned, and never twice in one second:
      // the digits follow the clock.
      EXPECT_GT(tick.ms / 1000, lastSecond);
      lastSecond = tick.ms / 1000;
      // Once it runs, the blink ticks on every whole second too, first, for
      // it was started first.
      if (lastHalf >= 0) {
        EXPECT_EQ(ticks[i - 1].interval, 500);
        EXPECT_EQ(ticks[i - 1].ms / 500, tick.ms / 500);
      }
    } else {
      EXPECT_GT(tick.ms / 500, lastHalf);
      lastHalf = tick.ms / 500;
    }
  }
  // Ticks due together came in one wake-up.
  EXPECT_EQ(wakeUps, static_cast<int>(boundaries.size()));
}

TEST(Win32TimerPort, CountingTimersRunFromTheirStartUntilStopped) {
  Win32TimerPort port;
  int fast = 0, slow = 0;
  Timer fastTimer(port, 30, true);
  fastTimer.SetHandler([&] { ++fast; });
  ASSERT_TRUE(PumpMessagesUntil([&] { return fast == 2; }));
  fastTimer.SetEnabled(false);

  Timer slowTimer(port, 200, true);
  slowTimer.SetHandler([&] { ++slow; });
  ASSERT_TRUE(PumpMessagesUntil([&] { return slow == 1; }));
  EXPECT_EQ(fast, 2) << "ticked after it was stopped";

  // Enabled again, it runs again.
  fastTimer.SetEnabled(true);
  ASSERT_TRUE(PumpMessagesUntil([&] { return fast == 3; }));
}

}  // namespace
}  // namespace vesperon
