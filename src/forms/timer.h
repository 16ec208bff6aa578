#pragma once

#include <functional>

#include "ports/timer_port.h"

namespace vesperon {

// How the first tick after a start is placed.
enum class TimerPhase {
  FromStart,  // one interval after the timer was enabled
  WallClock,  // on the wall clock's multiples of the interval (the face)
};

// A form timer: interval and enabled. Enabling a disabled timer, or changing
// the interval of an enabled one, starts a fresh period.
class Timer {
 public:
  Timer(TimerPort& port, int intervalMs, bool enabled, TimerPhase phase = TimerPhase::FromStart);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  int Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  TimerPhase Phase() const { return phase_; }

  void SetInterval(int intervalMs);
  void SetEnabled(bool enabled);

  // Called by the timer port when a period has run out.
  void Fire();

  // When a wall-clock timer ticks next, in milliseconds since the epoch.
  // Later ticks fall on every multiple of the interval; the first one falls
  // where the interval's own place in the second says (x.000 for 1000 ms,
  // x.500 for 500 ms, x.250 or x.750 for 250 ms), so a 500 ms blink always
  // shows in the first half of a second and hides in the second.
  static long long NextWallClockTick(long long nowMs, int intervalMs, bool firstTick);

  // Whether a wall-clock tick planned for dueMs should run at nowMs: when its
  // time has come, and also when it lies more than an interval ahead, which
  // only happens when the system clock was set back.
  static bool WallClockTickDue(long long nowMs, long long dueMs, int intervalMs);

 private:
  TimerPort& port_;
  int interval_;
  bool enabled_ = false;
  TimerPhase phase_;
  std::function<void()> handler_;
};

}  // namespace vesperon
