#include "shutdown/shutdown_status.h"

#include <cstdio>

namespace vesperon {

namespace {

std::string IsoDate(std::chrono::year_month_day date) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

}  // namespace

std::string StatusLine(const ShutdownStatus& status) {
  std::string line;
  switch (status.stage) {
    case ShutdownStatus::Stage::Idle:
      return "idle";
    case ShutdownStatus::Stage::Countdown:
      return "countdown " + std::to_string(status.secondsLeft);
    case ShutdownStatus::Stage::Armed:
      line = "armed ";
      break;
    case ShutdownStatus::Stage::Accepted:
      line = "accepted, not armed ";
      break;
  }
  line += IsoDate(status.date) + " " + status.time;
  if (status.daily) line += " daily";
  return line;
}

}  // namespace vesperon
