#pragma once

#include <map>
#include <optional>
#include <vector>

#include "forms/timer.h"

namespace vesperon {

// The timers that tick on the wall clock's boundaries (the face's), as a
// timer port keeps them: the port wakes once for the first boundary any of
// them is due on, and every timer due by then ticks in that one wake-up, in
// the order the timers were started. Times are milliseconds since the epoch.
class WallClockSchedule {
 public:
  // One tick taken from the schedule.
  struct Tick {
    Timer* timer;
    unsigned long long start;  // which start of the timer it belongs to
  };

  void Start(Timer& timer, long long nowMs);
  // False when the timer was not here.
  bool Stop(Timer& timer);

  // How long to sleep from nowMs: until just after the first boundary due,
  // so the clock the handlers read already shows the new second, and never
  // longer than a second, so a clock set forward is noticed in time. nullopt
  // when no timer is here.
  std::optional<long long> WakeDelayMs(long long nowMs) const;

  // The ticks due at nowMs, in start order. Their timers already wait for
  // their next boundary after nowMs: a late wake-up (a suspend, the clock
  // set back or forward) brings one tick, never a burst of missed ones.
  std::vector<Tick> TakeDue(long long nowMs);

  // Runs a taken tick, unless its timer was stopped or restarted since (by
  // the handler of a tick before it).
  void Fire(const Tick& tick) const;

 private:
  struct Due {
    long long dueMs;
    unsigned long long start;
  };

  std::map<Timer*, Due> timers_;
  unsigned long long nextStart_ = 0;
};

}  // namespace vesperon
