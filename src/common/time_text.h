#pragma once

#include <array>
#include <optional>
#include <string>

namespace vesperon {

// "hh:mm:ss": two-digit, 24-hour fields. Equal width makes text order time
// order, which is how shutdown times are compared.
std::string FormatHhMmSs(int hours, int minutes, int seconds);

// The six clock digits picked from a locale time text such as "9:05:03",
// "21:05:03" or "9:05:03 PM" (the trailing part is ignored). nullopt when the
// text has neither layout.
std::optional<std::array<int, 6>> DigitsOfTimeText(const std::string& text);

}  // namespace vesperon
