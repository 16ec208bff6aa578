#include "forms/timer.h"

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

void Timer::Fire() {
  if (enabled_ && handler_) handler_();
}

}  // namespace vesperon
