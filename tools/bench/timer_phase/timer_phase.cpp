// Runs the program's wall-clock timers (1000 ms and 500 ms, as the clock face
// uses them) on the real event loop and reports how late after each boundary
// the handlers run: the delay between a second changing and the digits
// following it. Usage: vesperon_bench_timer_phase [seconds]
#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "qt/qt_timer_port.h"
#include "forms/timer.h"

namespace {

struct Lateness {
  std::vector<long long> ms;
  void Record(int interval) { ms.push_back(QDateTime::currentMSecsSinceEpoch() % interval); }
  void Print(const char* name) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-22s ticks %4zu  median %3lld ms  p95 %3lld ms  max %3lld ms after the boundary\n",
                name, ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;

  vesperon::QtTimerPort port;
  Lateness sync, sep;
  vesperon::Timer timerSync(port, 1000, true, vesperon::TimerPhase::WallClock);
  vesperon::Timer timerSep(port, 500, true, vesperon::TimerPhase::WallClock);
  timerSync.SetHandler([&] { sync.Record(1000); });
  timerSep.SetHandler([&] { sep.Record(500); });

  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  app.exec();
  sync.Print("1000 ms (digits)");
  sep.Print("500 ms (colon blink)");
  return 0;
}
