#include "app/qt/qt_timer_port.h"

#include <QDateTime>

namespace vesperon {

namespace {
// Fire just after the boundary, so the clock read in the handler already
// shows the new second.
constexpr int kPastBoundaryMs = 2;
}  // namespace

QtTimerPort::QtTimerPort(std::function<void()> afterTick) : afterTick_(std::move(afterTick)) {}

QtTimerPort::~QtTimerPort() = default;

void QtTimerPort::Start(Timer& timer) {
  auto& slot = timers_[&timer];
  if (!slot) {
    slot = std::make_unique<QTimer>();
    slot->setTimerType(Qt::PreciseTimer);
    QObject::connect(slot.get(), &QTimer::timeout, [this, &timer] { Fire(timer); });
  }
  slot->stop();
  if (timer.Phase() == TimerPhase::WallClock) {
    ScheduleWallClock(timer, *slot, true);
  } else {
    slot->setSingleShot(false);
    slot->start(timer.Interval());
  }
}

void QtTimerPort::Stop(Timer& timer) {
  const auto it = timers_.find(&timer);
  if (it != timers_.end()) it->second->stop();
}

void QtTimerPort::ScheduleWallClock(Timer& timer, QTimer& qtimer, bool firstTick) {
  qtimer.setSingleShot(true);
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const qint64 next = Timer::NextWallClockTick(now, timer.Interval(), firstTick);
  qtimer.start(static_cast<int>(next - now) + kPastBoundaryMs);
}

void QtTimerPort::Fire(Timer& timer) {
  QTimer& qtimer = *timers_.at(&timer);
  // Reschedule first: the handler may stop or restart the timer itself.
  if (timer.Phase() == TimerPhase::WallClock) ScheduleWallClock(timer, qtimer, false);
  timer.Fire();
  if (afterTick_) afterTick_();
}

}  // namespace vesperon
