#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "forms/timer.h"

namespace vesperon {

// Form timers on Qt timers. Timers of the face tick on the wall clock's
// boundaries (whole seconds, half seconds) and find them again after a
// suspend or a change of the system clock; the others count from their start.
class QtTimerPort : public TimerPort {
 public:
  // afterTick runs after every tick, so the views can show what changed.
  explicit QtTimerPort(std::function<void()> afterTick = {});
  ~QtTimerPort() override;

  void Start(Timer& timer) override;
  void Stop(Timer& timer) override;

  void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }

 private:
  void Fire(Timer& timer);
  void ScheduleWallClock(Timer& timer, QTimer& qtimer, bool firstTick);

  std::map<Timer*, std::unique_ptr<QTimer>> timers_;
  std::function<void()> afterTick_;
};

}  // namespace vesperon
