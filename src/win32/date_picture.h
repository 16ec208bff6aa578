#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vesperon {

// Windows' date pictures ("dd/MM/yyyy", "d.M.yyyy", "yyyy'年'M'月'd'日'"),
// which the system writes dates with and has no call to read them back by.

// The picture with its year written in full: a date written with two digits
// would read back as a date a century away.
std::wstring WithFullYear(std::wstring_view picture);

// Reads a date written with the picture: day, month and year as numbers
// (a year of one or two digits taken as 20xx), the rest matched as written.
// Month or day names and eras are not read; such a picture gives nullopt.
std::optional<std::chrono::year_month_day> ParseWithPicture(std::wstring_view text,
                                                            std::wstring_view picture);

}  // namespace vesperon
