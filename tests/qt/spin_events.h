#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

// Lets queued events (D-Bus replies among them) run until condition holds or
// timeoutMs has passed; returns the condition's last value.
template <typename Condition>
bool SpinEventsUntil(Condition condition, int timeoutMs = 5000) {
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition()) {
    if (elapsed.elapsed() >= timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// Lets queued events run for ms milliseconds.
inline void SpinEventsFor(int ms) {
  SpinEventsUntil([] { return false; }, ms);
}
