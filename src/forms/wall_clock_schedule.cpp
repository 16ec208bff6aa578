#include "forms/wall_clock_schedule.h"

#include <algorithm>

namespace vesperon {

namespace {
constexpr long long kPastBoundaryMs = 2;
constexpr long long kLongestSleepMs = 1000;
}  // namespace

void WallClockSchedule::Start(Timer& timer, long long nowMs) {
  timers_[&timer] = {Timer::NextWallClockTick(nowMs, timer.Interval(), true), nextStart_++};
}

bool WallClockSchedule::Stop(Timer& timer) { return timers_.erase(&timer) != 0; }

std::optional<long long> WallClockSchedule::WakeDelayMs(long long nowMs) const {
  if (timers_.empty()) return std::nullopt;
  long long first = timers_.begin()->second.dueMs;
  for (const auto& [timer, due] : timers_) first = std::min(first, due.dueMs);
  return std::clamp(first - nowMs, 0LL, kLongestSleepMs) + kPastBoundaryMs;
}

std::vector<WallClockSchedule::Tick> WallClockSchedule::TakeDue(long long nowMs) {
  std::vector<Tick> due;
  for (auto& [timer, next] : timers_) {
    if (!Timer::WallClockTickDue(nowMs, next.dueMs, timer->Interval())) continue;
    due.push_back({timer, next.start});
    next.dueMs = Timer::NextWallClockTick(nowMs, timer->Interval(), false);
  }
  std::sort(due.begin(), due.end(), [](const Tick& a, const Tick& b) { return a.start < b.start; });
  return due;
}

void WallClockSchedule::Fire(const Tick& tick) const {
  const auto it = timers_.find(tick.timer);
  if (it != timers_.end() && it->second.start == tick.start) tick.timer->Fire();
}

}  // namespace vesperon
