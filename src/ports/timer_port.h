#pragma once

namespace vesperon {

class Timer;

// Delivers the ticks of enabled timers: real timers in the program, a
// virtual clock in the tests.
class TimerPort {
 public:
  virtual ~TimerPort() = default;
  // (Re)starts the period of the timer from now.
  virtual void Start(Timer& timer) = 0;
  virtual void Stop(Timer& timer) = 0;
};

}  // namespace vesperon
