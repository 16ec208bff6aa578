#include "win32/win32_timer_port.h"

#include <optional>
#include <vector>

namespace vesperon {

namespace {

constexpr UINT_PTR kWallClockId = 1;
constexpr UINT_PTR kFirstCountingId = 2;

// FILETIME counts 100 ns steps from 1601; the epoch is 11644473600 s later.
constexpr long long kEpochIn100Ns = 116444736000000000LL;

}  // namespace

Win32TimerPort::Win32TimerPort(std::function<void()> afterTick)
    : nextId_(kFirstCountingId),
      afterTick_(std::move(afterTick)),
      window_([this](UINT message, WPARAM wParam, LPARAM) { return OnMessage(message, wParam); }) {}

long long Win32TimerPort::NowMs() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const long long ticks = (static_cast<long long>(now.dwHighDateTime) << 32) |
                          static_cast<long long>(now.dwLowDateTime);
  return (ticks - kEpochIn100Ns) / 10000;
}

void Win32TimerPort::Start(Timer& timer) {
  if (timer.Phase() == TimerPhase::WallClock) {
    wallClock_.Start(timer, NowMs());
    ArmWallClock();
    return;
  }
  auto [slot, added] = counting_.try_emplace(&timer, nextId_);
  if (added) countingById_[nextId_++] = &timer;
  // Setting a timer that runs already starts its period afresh.
  SetTimer(window_.Handle(), slot->second, static_cast<UINT>(timer.Interval()), nullptr);
}

void Win32TimerPort::Stop(Timer& timer) {
  if (wallClock_.Stop(timer)) {
    ArmWallClock();
    return;
  }
  const auto it = counting_.find(&timer);
  if (it == counting_.end()) return;
  KillTimer(window_.Handle(), it->second);
  countingById_.erase(it->second);
  counting_.erase(it);
}

bool Win32TimerPort::OnMessage(UINT message, WPARAM wParam) {
  if (message != WM_TIMER) return false;
  if (wParam == kWallClockId)
    FireWallClock();
  else
    FireCounting(wParam);
  return true;
}

void Win32TimerPort::FireCounting(UINT_PTR id) {
  const auto it = countingById_.find(id);
  if (it == countingById_.end()) return;
  it->second->Fire();
  if (afterTick_) afterTick_();
}

void Win32TimerPort::ArmWallClock() {
  const std::optional<long long> delay = wallClock_.WakeDelayMs(NowMs());
  if (delay)
    SetTimer(window_.Handle(), kWallClockId, static_cast<UINT>(*delay), nullptr);
  else
    KillTimer(window_.Handle(), kWallClockId);
}

void Win32TimerPort::FireWallClock() {
  // A Win32 timer repeats: this one is set afresh for each boundary. A
  // wake-up that came early finds nothing due and sleeps the rest.
  KillTimer(window_.Handle(), kWallClockId);
  const std::vector<WallClockSchedule::Tick> due = wallClock_.TakeDue(NowMs());
  for (const WallClockSchedule::Tick& tick : due) wallClock_.Fire(tick);
  ArmWallClock();
  if (!due.empty() && afterTick_) afterTick_();
}

}  // namespace vesperon
