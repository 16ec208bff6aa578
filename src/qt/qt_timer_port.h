#pragma once

#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "forms/timer.h"
#include "forms/wall_clock_schedule.h"

namespace vesperon {

// Form timers on Qt timers. Timers of the face tick on the wall clock's
// boundaries (whole seconds, half seconds) and find them again after a
// suspend or a change of the system clock; they share one Qt timer, so ticks
// that fall on the same boundary cost one wake-up. The other timers count
// from their start, each on a Qt timer of its own.
class QtTimerPort : public TimerPort {
 public:
  // afterTick runs after every wake-up that ticked, so the views can show
  // what changed.
  explicit QtTimerPort(std::function<void()> afterTick = {});
  ~QtTimerPort() override;

  void Start(Timer& timer) override;
  void Stop(Timer& timer) override;

  void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }

 private:
  void FireCounting(Timer& timer);
  void FireWallClock();
  void ArmWallClock();

  std::map<Timer*, std::unique_ptr<QTimer>> counting_;
  WallClockSchedule wallClock_;
  QTimer wallClockTimer_;
  std::function<void()> afterTick_;
};

}  // namespace vesperon
