#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "ports/platform.h"

namespace vesperon {

// The session manager's end of the session, added to the system's other
// requests to end the program. Where a session manager runs (KDE, Xfce,
// LXQt and others set SESSION_MANAGER), Qt speaks XSMP with it, and the
// manager's word that the session ends ("Die") reaches the program as the
// application's Quit event. Left to Qt, that event only closes the windows
// on screen and leaves the event loop: a clock hidden in the tray would end
// without storing its place, and a box of the load step would close and
// leave the program running with no window.
class SessionManagerEnd final : public QObject, public TerminationRequests {
 public:
  explicit SessionManagerEnd(std::unique_ptr<TerminationRequests> others);
  SessionManagerEnd(const SessionManagerEnd&) = delete;
  SessionManagerEnd& operator=(const SessionManagerEnd&) = delete;

  void SetHandler(std::function<void()> handler) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<TerminationRequests> others_;
  std::function<void()> handler_;
};

}  // namespace vesperon
