#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace vesperon {

// Turns SIGTERM, SIGINT and SIGHUP (the end of the session, Ctrl+C, a closed
// terminal) into a signal on the event loop, so the program can close the
// way its close button does and keep the window's place.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

 signals:
  void terminationRequested();

 private:
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vesperon
