#include "app/qt/clock_reach.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "common/stand_aside.h"

namespace vesperon::qt_view {

namespace {

ScreenArea AreaOf(const QRect& r) {
  return {static_cast<float>(r.left()), static_cast<float>(r.top()), static_cast<float>(r.width()),
          static_cast<float>(r.height())};
}

}  // namespace

void ClockReach::Keep(bool inReach) {
  inReach_ = inReach;
  if (inReach) {
    LetGo();
    // Raised once the clock shows: it may be coming back from the tray. An
    // open dialog or box keeps the keyboard: the stop wants only a click,
    // and a clock made active would take the keys meant for the dialog.
    if (clock_) {
      QTimer::singleShot(0, clock_, [clock = clock_] {
        clock->raise();
        if (QApplication::activeModalWidget() == nullptr) clock->activateWindow();
      });
    }
    return;
  }
  for (const Held& held : held_) {
    if (!held.window) continue;
    held.window->setModality(held.modality);
    held.window->setTransientParent(held.transientParent);
  }
  held_.clear();
  UpdateBlocked();
}

void ClockReach::Opening() {
  if (!inReach_ || !clock_) return;
  QTimer::singleShot(0, clock_, [this] {
    if (inReach_) LetGo();
  });
}

void ClockReach::LetGo() {
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  if (!clock_) return;
  clock_->winId();  // the clock's window exists from here on, shown or not
  QWindow* clock = clock_->windowHandle();
  const QScreen* screen = clock_->screen();
  const ScreenArea area = AreaOf(screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768));

  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QWindow* window = widget->windowHandle();
    if (widget == clock_ || !widget->isVisible() || window == nullptr ||
        window->modality() == Qt::NonModal)
      continue;
    const bool known = std::any_of(held_.begin(), held_.end(),
                                   [window](const Held& held) { return held.window == window; });
    if (!known) held_.push_back({window, window->transientParent(), window->modality()});
    if (window->transientParent() == clock) window->setTransientParent(nullptr);
    if (window->modality() == Qt::ApplicationModal) window->setModality(Qt::WindowModal);

    const ScreenArea place =
        StandAside(AreaOf(widget->frameGeometry()), AreaOf(clock_->frameGeometry()), area);
    widget->move(static_cast<int>(place.left), static_cast<int>(place.top));
  }
  UpdateBlocked();
}

void ClockReach::UpdateBlocked() {
  if (!clock_) return;
  if (QWindow* clock = clock_->windowHandle()) clock->setTransientParent(clock->transientParent());
}

}  // namespace vesperon::qt_view
