#include "app/qt/qt_timer_port.h"

#include <QDateTime>
#include <algorithm>
#include <vector>

namespace vesperon {

namespace {
// Wake just after the boundary, so the clock read in the handlers already
// shows the new second.
constexpr int kPastBoundaryMs = 2;

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
    wallClock_[&timer] = {Timer::NextWallClockTick(NowMs(), timer.Interval(), true), nextOrder_++};
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
  if (wallClock_.erase(&timer) != 0) {
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
  if (wallClock_.empty()) {
    wallClockTimer_.stop();
    return;
  }
  long long first = wallClock_.begin()->second.dueMs;
  for (const auto& [timer, due] : wallClock_) first = std::min(first, due.dueMs);
  const long long delay = std::clamp(first - NowMs(), 0LL, 1000LL) + kPastBoundaryMs;
  wallClockTimer_.start(static_cast<int>(delay));
}

void QtTimerPort::FireWallClock() {
  const long long now = NowMs();
  // Every timer due by now ticks once, in start order; each then takes the
  // next boundary after now, so a late wake-up (a suspend, the clock set
  // back or forward) never brings a burst of missed ticks.
  std::vector<std::pair<unsigned long long, Timer*>> due;
  for (auto& [timer, next] : wallClock_) {
    if (!Timer::WallClockTickDue(now, next.dueMs, timer->Interval())) continue;
    due.emplace_back(next.order, timer);
    next.dueMs = Timer::NextWallClockTick(now, timer->Interval(), false);
  }
  std::sort(due.begin(), due.end());
  for (const auto& [order, timer] : due) {
    // A handler may have stopped or restarted a timer that is due too.
    const auto it = wallClock_.find(timer);
    if (it != wallClock_.end() && it->second.order == order) timer->Fire();
  }
  ArmWallClock();
  if (!due.empty() && afterTick_) afterTick_();
}

}  // namespace vesperon
