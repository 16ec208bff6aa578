#include "platform/linux/session_manager_end.h"

#include <QCoreApplication>
#include <QEvent>
#include <utility>

namespace vesperon {

SessionManagerEnd::SessionManagerEnd(std::unique_ptr<TerminationRequests> others)
    : others_(std::move(others)) {
  QCoreApplication::instance()->installEventFilter(this);
}

void SessionManagerEnd::SetHandler(std::function<void()> handler) {
  others_->SetHandler(handler);
  handler_ = std::move(handler);
}

// The event goes on: once the handler has run, Qt closes what is left and
// leaves the event loop. The program's own quit comes this way too, after
// the clock has unloaded, when a request to end has nothing left to do.
bool SessionManagerEnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit && handler_)
    handler_();
  return false;
}

}  // namespace vesperon
