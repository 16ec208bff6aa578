#include "common/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vesperon {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::optional<double> TextToDouble(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  const char* begin = t.data();
  const char* end = t.data() + t.size();
  if (*begin == '+') ++begin;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int16_t> TextToInteger(const std::string& text) {
  const auto value = TextToDouble(text);
  if (!value) return std::nullopt;
  const double rounded = std::nearbyint(*value);  // default rounding mode: half to even
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

std::string SingleToText(float value) {
  char buffer[64];
  const auto [ptr, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  return std::string(buffer, ptr);
}

}  // namespace vesperon
