#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "ports/platform.h"

namespace vesperon {

// Turns SIGTERM, SIGINT and SIGHUP (the end of the session, Ctrl+C, a closed
// terminal) into a signal on the event loop, so the program can close the
// way its close button does and keep the window's place.
class TerminationSignals final : public TerminationRequests {
 public:
  TerminationSignals();
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  void SetHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> handler_;
};

}  // namespace vesperon
