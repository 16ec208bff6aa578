#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace vesperon {

// Local wall-clock time as the user sees it.
struct LocalDateTime {
  std::chrono::year_month_day date;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The current time and the user's locale conventions for times and dates.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() = 0;
  // The locale's time-of-day text with seconds, e.g. "9:05:03 PM" or "21:05:03".
  virtual std::string LocaleTimeText(const LocalDateTime& t) = 0;
  // The locale's short date text, and back; nullopt when the text is no date.
  virtual std::string ShortDateText(std::chrono::year_month_day date) = 0;
  virtual std::optional<std::chrono::year_month_day> ParseShortDate(const std::string& text) = 0;
};

}  // namespace vesperon
