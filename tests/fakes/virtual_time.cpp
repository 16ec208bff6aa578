#include "virtual_time.h"

#include <algorithm>
#include <cstdio>

namespace vesperon {

using namespace std::chrono;

VirtualTime::TimePoint At(int year, int month, int day, int hour, int minute, int second,
                          int millisecond) {
  const sys_days date{std::chrono::year{year} / month / day};
  return time_point_cast<milliseconds>(date) + hours{hour} + minutes{minute} + seconds{second} +
         milliseconds{millisecond};
}

VirtualTime::VirtualTime(TimePoint start) : now_(start) {
  timeText = [](const LocalDateTime& t) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", t.hour, t.minute, t.second);
    return std::string(buffer);
  };
}

LocalDateTime VirtualTime::Now() {
  const TimePoint local = localOffset ? now_ + localOffset(now_) : now_;
  const auto day = floor<days>(local);
  const hh_mm_ss<milliseconds> time{local - day};
  LocalDateTime t;
  t.date = year_month_day{day};
  t.hour = static_cast<int>(time.hours().count());
  t.minute = static_cast<int>(time.minutes().count());
  t.second = static_cast<int>(time.seconds().count());
  t.millisecond = static_cast<int>(time.subseconds().count());
  return t;
}

std::string VirtualTime::LocaleTimeText(const LocalDateTime& t) {
  ++timeTextCalls;
  return timeText(t);
}

std::string VirtualTime::ShortDateText(year_month_day date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02u/%02u/%04d", static_cast<unsigned>(date.day()),
                static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
  return buffer;
}

std::optional<year_month_day> VirtualTime::ParseShortDate(const std::string& text) {
  unsigned d = 0, m = 0;
  int y = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2u/%2u/%4d%c", &d, &m, &y, &tail) != 3) return std::nullopt;
  const year_month_day date{std::chrono::year{y} / m / d};
  if (!date.ok()) return std::nullopt;
  return date;
}

VirtualTime::TimePoint VirtualTime::FirstTick(const Timer& timer) const {
  if (timer.Phase() == TimerPhase::FromStart) return now_ + milliseconds{timer.Interval()};
  return TimePoint{milliseconds{
      Timer::NextWallClockTick(now_.time_since_epoch().count(), timer.Interval(), true)}};
}

void VirtualTime::Start(Timer& timer) { due_[&timer] = Due{FirstTick(timer), nextOrder_++}; }

void VirtualTime::Stop(Timer& timer) { due_.erase(&timer); }

void VirtualTime::SetClock(TimePoint when) {
  const milliseconds jump = when - now_;
  now_ = when;
  for (auto& [timer, due] : due_) {
    if (timer->Phase() == TimerPhase::FromStart)
      due.when += jump;
    else
      due.when = std::min(due.when, now_);
  }
}

void VirtualTime::Advance(Ms duration) { AdvanceTo(now_ + duration); }

void VirtualTime::AdvanceTo(TimePoint when) {
  for (;;) {
    auto next = std::min_element(due_.begin(), due_.end(), [](const auto& a, const auto& b) {
      return a.second.when != b.second.when ? a.second.when < b.second.when
                                            : a.second.order < b.second.order;
    });
    if (next == due_.end() || next->second.when > when) break;
    Timer* timer = const_cast<Timer*>(next->first);
    const std::uint64_t order = next->second.order;
    now_ = std::max(now_, next->second.when);
    timer->Fire();
    // Reschedule unless the handler stopped or restarted the timer.
    auto again = due_.find(timer);
    if (again != due_.end() && again->second.order == order) {
      const milliseconds interval{timer->Interval()};
      TimePoint tick = again->second.when + interval;
      while (tick <= now_) tick += interval;  // ticks missed while busy are not queued
      again->second = Due{tick, nextOrder_++};
    }
  }
  now_ = std::max(now_, when);
}

}  // namespace vesperon
