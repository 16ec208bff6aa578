#pragma once

#include <chrono>
#include <string>

namespace vesperon {

// Where the road to a power-off stands, as the command line's --status
// tells it.
struct ShutdownStatus {
  enum class Stage { Idle, Accepted, Armed, Countdown };
  Stage stage = Stage::Idle;
  // The accepted day and time ("hh:mm:ss"): Accepted and Armed.
  std::chrono::year_month_day date;
  std::string time;
  // Countdown.
  int secondsLeft = 0;
  // The shutdown repeats every day.
  bool daily = false;
};

// One line, the same whatever the user's locale:
//   "armed 2026-12-08 23:30:00", "accepted, not armed 2026-12-08 23:30:00",
//   either followed by " daily" when the shutdown repeats; "countdown 12";
//   "idle".
std::string StatusLine(const ShutdownStatus& status);

}  // namespace vesperon
