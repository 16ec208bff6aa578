#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vesperon {

// A time of day, 24-hour.
struct TimeOfDay {
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// A time of day as a person writes it: "H:MM", "HH:MM", "H:MM:SS" or
// "HH:MM:SS", hours 0 to 23, minutes and seconds 0 to 59; nullopt otherwise.
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

// "hh:mm:ss": two-digit, 24-hour fields. Equal width makes text order time
// order, which is how shutdown times are compared.
std::string FormatHhMmSs(int hours, int minutes, int seconds);

// The six clock digits picked from a locale time text such as "9:05:03",
// "21:05:03" or "9:05:03 PM" (the trailing part is ignored). nullopt when the
// text has neither layout.
std::optional<std::array<int, 6>> DigitsOfTimeText(const std::string& text);

}  // namespace vesperon
