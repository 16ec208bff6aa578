#pragma once

#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace vesperon::qt_view {

// Keeps the clock in sight and taking clicks while a countdown runs,
// whatever of the program is open. A popup menu closes. A dialog or box
// modal to the clock would keep every click from it (Qt never lets a
// blocked window see the mouse), so each open one lets go of the clock: it
// is no longer a transient of the clock for Qt's modality, and an
// application-modal box becomes modal to the dialog beneath it only. Each
// still holds what it held besides the clock. A window manager keeps a
// dialog above the window it belongs to, so those over the clock step
// beside it; the clock is raised above everything else.
class ClockReach {
 public:
  void SetClock(QWidget* clock) { clock_ = clock; }
  // `true` lets go of the clock; `false` gives the dialogs and boxes still
  // open their hold back.
  void Keep(bool inReach);
  // A dialog or box is about to open: while in reach, it lets go of the
  // clock as soon as it shows.
  void Opening();

 private:
  struct Held {
    QPointer<QWindow> window;
    QPointer<QWindow> transientParent;
    Qt::WindowModality modality;
  };

  void LetGo();
  // Qt works a window's blocked state out anew when its transient parent is
  // set, even to the one it has.
  void UpdateBlocked();

  QPointer<QWidget> clock_;
  std::vector<Held> held_;
  bool inReach_ = false;
};

}  // namespace vesperon::qt_view
