#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/timer.h"
#include "ports/clock.h"

namespace vesperon {

// Virtual wall-clock time and the timers that run on it. Advance() moves time
// forward and fires every timer that falls due, in due order; a handler that
// takes time (a melody) can Spend() it, and ticks missed meanwhile are
// skipped, as real timers do.
class VirtualTime : public Clock, public TimerPort {
 public:
  using Ms = std::chrono::milliseconds;
  using TimePoint = std::chrono::sys_time<Ms>;

  explicit VirtualTime(TimePoint start);

  // --- Clock ---
  LocalDateTime Now() override;
  std::string LocaleTimeText(const LocalDateTime& t) override;
  std::string ShortDateText(std::chrono::year_month_day date) override;
  std::optional<std::chrono::year_month_day> ParseShortDate(const std::string& text) override;

  // --- TimerPort ---
  void Start(Timer& timer) override;
  void Stop(Timer& timer) override;

  void Advance(Ms duration);
  void AdvanceTo(TimePoint when);
  // Time passing inside a handler, without firing anything.
  void Spend(Ms duration) { now_ += duration; }
  // The system clock set forward or back, or a machine waking from sleep:
  // time jumps without passing. Each wall-clock timer then ticks once at the
  // next Advance, as the face's timers do; the others keep the time they had
  // left, as monotonic timers do.
  void SetClock(TimePoint when);
  TimePoint Current() const { return now_; }
  bool IsRunning(const Timer& timer) const { return due_.count(&timer) != 0; }

  // What the local time is ahead of the timeline (summer time); none unless
  // set. The timeline then reads as UTC, and Now() as the local time.
  std::function<Ms(TimePoint)> localOffset;

  // The locale's time text; 24-hour "H:mm:ss" unless replaced.
  std::function<std::string(const LocalDateTime&)> timeText;
  int timeTextCalls = 0;

 private:
  struct Due {
    TimePoint when;
    std::uint64_t order;
  };
  TimePoint FirstTick(const Timer& timer) const;

  TimePoint now_;
  std::map<const Timer*, Due> due_;
  std::uint64_t nextOrder_ = 0;
};

// A local date and time as a virtual time point.
VirtualTime::TimePoint At(int year, int month, int day, int hour, int minute, int second,
                          int millisecond = 0);

}  // namespace vesperon
