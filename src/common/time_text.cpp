#include "common/time_text.h"

#include <cstdio>

namespace vesperon {

namespace {

// One or two digits, as a number.
std::optional<int> Field(std::string_view digits, std::size_t minimumLength) {
  if (digits.size() < minimumLength || digits.size() > 2) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string FormatHhMmSs(int hours, int minutes, int seconds) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", hours, minutes, seconds);
  return buffer;
}

std::optional<std::array<int, 6>> DigitsOfTimeText(const std::string& text) {
  // Positions are 1-based, as the digit table counts them; 0 stands for a
  // leading zero that the text does not have.
  static constexpr std::array<int, 6> kOneDigitHour{0, 1, 3, 4, 6, 7};
  static constexpr std::array<int, 6> kTwoDigitHour{1, 2, 4, 5, 7, 8};
  const bool oneDigitHour = text.size() >= 2 && text[1] == ':';
  const auto& positions = oneDigitHour ? kOneDigitHour : kTwoDigitHour;

  std::array<int, 6> digits{};
  for (std::size_t place = 0; place < digits.size(); ++place) {
    const int position = positions[place];
    if (position == 0) {
      digits[place] = 0;
      continue;
    }
    if (static_cast<std::size_t>(position) > text.size()) return std::nullopt;
    const char c = text[position - 1];
    if (c < '0' || c > '9') return std::nullopt;
    digits[place] = c - '0';
  }
  return digits;
}

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  const std::size_t first = text.find(':');
  if (first == std::string_view::npos) return std::nullopt;
  const std::size_t second = text.find(':', first + 1);
  const std::string_view minutesText = text.substr(
      first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
  const std::optional<int> hours = Field(text.substr(0, first), 1);
  const std::optional<int> minutes = Field(minutesText, 2);
  const std::optional<int> seconds =
      second == std::string_view::npos ? std::optional<int>(0) : Field(text.substr(second + 1), 2);
  if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
    return std::nullopt;
  return TimeOfDay{*hours, *minutes, *seconds};
}

}  // namespace vesperon
