#include "qt/qt_timer_port.h"

#include <QDateTime>
#include <optional>
#include <vector>

namespace vesperon {

namespace {
long long NowMs() { return QDateTime::currentMSecsSinceEpoch(); }
}  // namespace

QtTimerPort::QtTimerPort(std::function<void()> afterTick) : afterTick_(std::move(afterTick)) {
  wallClockTimer_.setTimerType(Qt::PreciseTimer);
  wallClockTimer_.setSingleShot(true);
  QObject::connect(&wallClockTimer_, &QTimer::timeout, [this] { FireWallClock(); });
}

QtTimerPort::~QtTimerPort() = default;

void QtTimerPort::Start(Timer& timer) {
  if (timer.Phase() == TimerPhase::WallClock) {
    wallClock_.Start(timer, NowMs());
    ArmWallClock();
    return;
  }
  auto& slot = counting_[&timer];
  if (!slot) {
    slot = std::make_unique<QTimer>();
    slot->setTimerType(Qt::PreciseTimer);
    QObject::connect(slot.get(), &QTimer::timeout, [this, &timer] { FireCounting(timer); });
  }
  slot->start(timer.Interval());
}

void QtTimerPort::Stop(Timer& timer) {
  if (wallClock_.Stop(timer)) {
    ArmWallClock();
    return;
  }
  const auto it = counting_.find(&timer);
  if (it != counting_.end()) it->second->stop();
}

void QtTimerPort::FireCounting(Timer& timer) {
  timer.Fire();
  if (afterTick_) afterTick_();
}

void QtTimerPort::ArmWallClock() {
  const std::optional<long long> delay = wallClock_.WakeDelayMs(NowMs());
  if (delay)
    wallClockTimer_.start(static_cast<int>(*delay));
  else
    wallClockTimer_.stop();
}

void QtTimerPort::FireWallClock() {
  const std::vector<WallClockSchedule::Tick> due = wallClock_.TakeDue(NowMs());
  for (const WallClockSchedule::Tick& tick : due) wallClock_.Fire(tick);
  ArmWallClock();
  if (!due.empty() && afterTick_) afterTick_();
}

}  // namespace vesperon
