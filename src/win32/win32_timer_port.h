#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "forms/timer.h"
#include "forms/wall_clock_schedule.h"
#include "win32/message_window.h"

namespace vesperon {

// Form timers on Win32 timers of a message-only window, so they tick in any
// message loop of the thread, modal ones included. The face's timers tick on
// the wall clock's boundaries and share one Win32 timer: ticks that fall on
// the same boundary cost one wake-up. The other timers count from their
// start, each on a Win32 timer of its own.
class Win32TimerPort : public TimerPort {
 public:
  // afterTick runs after every wake-up that ticked, so the views can show
  // what changed.
  explicit Win32TimerPort(std::function<void()> afterTick = {});
  ~Win32TimerPort() override = default;
  Win32TimerPort(const Win32TimerPort&) = delete;
  Win32TimerPort& operator=(const Win32TimerPort&) = delete;

  void Start(Timer& timer) override;
  void Stop(Timer& timer) override;

  void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }

  // Milliseconds since the epoch, as precisely as the system keeps them.
  static long long NowMs();

 private:
  bool OnMessage(UINT message, WPARAM wParam);
  void FireCounting(UINT_PTR id);
  void FireWallClock();
  void ArmWallClock();

  std::map<Timer*, UINT_PTR> counting_;
  std::map<UINT_PTR, Timer*> countingById_;
  UINT_PTR nextId_;
  WallClockSchedule wallClock_;
  std::function<void()> afterTick_;
  MessageWindow window_;  // last: its messages reach a whole object
};

}  // namespace vesperon
