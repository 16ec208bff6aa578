#include <gtest/gtest.h>

#include "forms/timer.h"
#include "virtual_time.h"

namespace vesperon {
namespace {

TEST(WallClockTick, FirstTickTakesTheIntervalsPlaceInTheSecond) {
  const long long second = 1'765'000'000'000;  // a whole second
  // 1000 ms: on the next whole second.
  EXPECT_EQ(Timer::NextWallClockTick(second + 1, 1000, true), second + 1000);
  EXPECT_EQ(Timer::NextWallClockTick(second, 1000, true), second + 1000);
  // 500 ms: at half past, so the blink's visible half starts on the second.
  EXPECT_EQ(Timer::NextWallClockTick(second + 100, 500, true), second + 500);
  EXPECT_EQ(Timer::NextWallClockTick(second + 700, 500, true), second + 1500);
  // 250 ms: at a quarter or three quarters past.
  EXPECT_EQ(Timer::NextWallClockTick(second + 100, 250, true), second + 250);
  EXPECT_EQ(Timer::NextWallClockTick(second + 300, 250, true), second + 750);
}

TEST(WallClockTick, LaterTicksOnEveryMultipleOfTheInterval) {
  const long long second = 1'765'000'000'000;
  EXPECT_EQ(Timer::NextWallClockTick(second + 499, 500, false), second + 500);
  EXPECT_EQ(Timer::NextWallClockTick(second + 500, 500, false), second + 1000);
  // After a jump of the clock (or a suspend) the next tick is simply the
  // next boundary, never a burst of missed ones.
  EXPECT_EQ(Timer::NextWallClockTick(second + 3'600'123, 1000, false), second + 3'601'000);
  EXPECT_EQ(Timer::NextWallClockTick(-1, 1000, false), 0);
}

TEST(FormTimer, EnablingRestartsThePeriodAndDisablingStopsIt) {
  VirtualTime time(At(2026, 12, 7, 10, 0, 0));
  int ticks = 0;
  Timer timer(time, 1500, false);
  timer.SetHandler([&] { ++ticks; });
  timer.SetEnabled(true);
  time.Advance(std::chrono::milliseconds(1000));
  timer.SetEnabled(false);
  timer.SetEnabled(true);  // a fresh 1500 ms from here
  time.Advance(std::chrono::milliseconds(1499));
  EXPECT_EQ(ticks, 0);
  time.Advance(std::chrono::milliseconds(1));
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(false);
  time.Advance(std::chrono::milliseconds(5000));
  EXPECT_EQ(ticks, 1);
}

TEST(FormTimer, ChangingTheIntervalOfARunningTimerRestartsIt) {
  VirtualTime time(At(2026, 12, 7, 10, 0, 0));
  int ticks = 0;
  Timer timer(time, 1000, true);
  timer.SetHandler([&] { ++ticks; });
  time.Advance(std::chrono::milliseconds(900));
  timer.SetInterval(250);
  time.Advance(std::chrono::milliseconds(1000));
  EXPECT_EQ(ticks, 4);
}

}  // namespace
}  // namespace vesperon

namespace vesperon {
namespace {

TEST(WallClockTick, ClockSetBackDoesNotFreezeTheFace) {
  const long long second = 1'765'000'000'000;
  EXPECT_TRUE(Timer::WallClockTickDue(second + 2, second, 1000));
  EXPECT_FALSE(Timer::WallClockTickDue(second - 300, second, 1000));
  // Set back an hour: the planned tick is an hour away, so it runs now and
  // the next one is planned from the new time.
  EXPECT_TRUE(Timer::WallClockTickDue(second - 3'600'000, second, 1000));
  EXPECT_TRUE(Timer::WallClockTickDue(second - 501, second, 500));
}

}  // namespace
}  // namespace vesperon
