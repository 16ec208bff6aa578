#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vesperon {

// Text conversions with the rules the stored settings are read by.

// Leading and trailing blanks removed (blanks only, not tabs).
std::string Trim(const std::string& text);

// A decimal number, blanks around it allowed; nullopt when the text is not one.
std::optional<double> TextToDouble(const std::string& text);

// TextToDouble rounded half to even into a 16-bit Integer; nullopt when the
// text is not a number or does not fit.
std::optional<std::int16_t> TextToInteger(const std::string& text);

// Decimal text of a single-precision value, never with an exponent: "1215",
// "-30", "1215.5".
std::string SingleToText(float value);

}  // namespace vesperon
