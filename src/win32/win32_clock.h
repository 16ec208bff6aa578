#pragma once

#include <string>

#include "ports/clock.h"

namespace vesperon {

// The system clock and the user's locale: local time from GetLocalTime, time
// and short date texts from GetTimeFormatEx and GetDateFormatEx, in the
// formats the locale had when the clock was made.
class Win32Clock : public Clock {
 public:
  // The user's locale by default; tests name one ("de-DE").
  explicit Win32Clock(std::wstring localeName = {});

  LocalDateTime Now() override;
  std::string LocaleTimeText(const LocalDateTime& t) override;
  // In the locale's short date picture with the year in full. A date that
  // would not read back as itself (a calendar other than the Gregorian, a
  // picture with names in it) is written yyyy-MM-dd instead, which always does.
  std::string ShortDateText(std::chrono::year_month_day date) override;
  std::optional<std::chrono::year_month_day> ParseShortDate(const std::string& text) override;

 private:
  const wchar_t* Locale() const;

  std::wstring locale_;
  std::wstring picture_;        // the locale's, with the full year
  std::wstring localePicture_;  // as the locale has it
};

}  // namespace vesperon
