#include "forms/timer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "forms/wall_clock_schedule.h"
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

namespace vesperon {
namespace {

// The schedule as a timer port keeps it, with the time set by the test.
struct ScheduledPort : TimerPort {
  void Start(Timer& timer) override { schedule.Start(timer, nowMs); }
  void Stop(Timer& timer) override { schedule.Stop(timer); }
  std::vector<std::string> Wake(long long at) {
    nowMs = at;
    fired.clear();
    for (const WallClockSchedule::Tick& tick : schedule.TakeDue(at)) schedule.Fire(tick);
    return fired;
  }
  WallClockSchedule schedule;
  long long nowMs = 0;
  std::vector<std::string> fired;
};

constexpr long long kSecond = 1'765'000'000'000;

TEST(WallClockSchedule, TicksDueTogetherComeInOneWakeUpInStartOrder) {
  ScheduledPort port;
  EXPECT_EQ(port.schedule.WakeDelayMs(kSecond), std::nullopt);
  port.nowMs = kSecond + 100;
  Timer blink(port, 500, true, TimerPhase::WallClock);
  Timer digits(port, 1000, true, TimerPhase::WallClock);
  blink.SetHandler([&] { port.fired.push_back("blink"); });
  digits.SetHandler([&] { port.fired.push_back("digits"); });

  // Woken just past the half second: the blink alone.
  EXPECT_EQ(port.schedule.WakeDelayMs(kSecond + 100), 402);
  EXPECT_EQ(port.Wake(kSecond + 502), std::vector<std::string>{"blink"});
  // On the whole second both, in one wake-up, in the order they started.
  EXPECT_EQ(port.schedule.WakeDelayMs(kSecond + 502), 500);
  EXPECT_EQ(port.Wake(kSecond + 998), std::vector<std::string>{}) << "woken early";
  EXPECT_EQ(port.Wake(kSecond + 1002), (std::vector<std::string>{"blink", "digits"}));

  // After a suspend of an hour: one tick each, then the next boundaries.
  EXPECT_EQ(port.Wake(kSecond + 3'601'250), (std::vector<std::string>{"blink", "digits"}));
  EXPECT_EQ(port.schedule.WakeDelayMs(kSecond + 3'601'250), 252);
  // A clock set back an hour does not stop the face.
  EXPECT_EQ(port.Wake(kSecond + 1'002), (std::vector<std::string>{"blink", "digits"}));
  // Nothing sleeps longer than a second, so a clock set forward is seen.
  digits.SetEnabled(false);
  blink.SetInterval(60'000);
  EXPECT_EQ(port.Wake(kSecond + 2'002), std::vector<std::string>{"blink"});
  EXPECT_EQ(port.schedule.WakeDelayMs(kSecond + 2'002), 1'002);
}

TEST(WallClockSchedule, ATickIsDroppedWhenAnEarlierHandlerStoppedOrRestartedItsTimer) {
  ScheduledPort port;
  port.nowMs = kSecond + 100;
  Timer first(port, 1000, true, TimerPhase::WallClock);
  Timer stopped(port, 1000, true, TimerPhase::WallClock);
  Timer restarted(port, 1000, true, TimerPhase::WallClock);
  first.SetHandler([&] {
    port.fired.push_back("first");
    stopped.SetEnabled(false);
    restarted.SetInterval(500);
  });
  stopped.SetHandler([&] { port.fired.push_back("stopped"); });
  restarted.SetHandler([&] { port.fired.push_back("restarted"); });
  EXPECT_EQ(port.Wake(kSecond + 1'002), std::vector<std::string>{"first"});
  // The restarted timer runs from its new start.
  EXPECT_EQ(port.Wake(kSecond + 1'502), std::vector<std::string>{"restarted"});
}

}  // namespace
}  // namespace vesperon
