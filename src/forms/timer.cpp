#include "forms/timer.h"

#include <algorithm>

namespace vesperon {

Timer::Timer(TimerPort& port, int intervalMs, bool enabled, TimerPhase phase)
    : port_(port), interval_(intervalMs), phase_(phase) {
  SetEnabled(enabled);
}

Timer::~Timer() {
  if (enabled_) port_.Stop(*this);
}

void Timer::SetInterval(int intervalMs) {
  if (intervalMs == interval_) return;
  interval_ = intervalMs;
  if (enabled_) port_.Start(*this);
}

void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_)
    port_.Start(*this);
  else
    port_.Stop(*this);
}

long long Timer::NextWallClockTick(long long nowMs, int intervalMs, bool firstTick) {
  const long long interval = intervalMs > 0 ? intervalMs : 1;
  const long long step = firstTick ? std::min(2 * interval, 1000LL) : interval;
  const long long offset = firstTick ? interval % 1000 % step : 0;
  // Floor division that also holds before the epoch.
  long long base = nowMs - offset;
  long long quotient = base / step;
  if (base % step < 0) --quotient;
  long long next = quotient * step + offset;
  while (next <= nowMs) next += step;
  return next;
}

bool Timer::WallClockTickDue(long long nowMs, long long dueMs, int intervalMs) {
  return dueMs <= nowMs || dueMs - nowMs > intervalMs;
}

void Timer::Fire() {
  if (enabled_ && handler_) handler_();
}

}  // namespace vesperon
