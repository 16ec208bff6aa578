#pragma once

// The clock port's contract, the same for every adapter: each adapter's
// tests run it for the locales of their system.

#include <gtest/gtest.h>

#include <string>

#include "common/time_text.h"
#include "ports/clock.h"

namespace vesperon::contracts {

inline std::string Digits(const std::string& text) {
  const auto d = DigitsOfTimeText(text);
  if (!d) return "none";
  std::string s;
  for (int v : *d) s += static_cast<char>('0' + v);
  return s;
}

// The locale's time text gives the face its six digits: 12-hour locales
// show 9 in the evening, 24-hour ones 21; no time zone name trails it.
inline void ExpectTimeTextFitsTheDigitTable(Clock& clock) {
  using namespace std::chrono;
  const LocalDateTime evening{2026y / 12 / 7, 21, 5, 3, 0};
  const LocalDateTime morning{2026y / 12 / 7, 9, 5, 3, 0};
  const std::string eveningDigits = Digits(clock.LocaleTimeText(evening));
  EXPECT_TRUE(eveningDigits == "210503" || eveningDigits == "090503")
      << clock.LocaleTimeText(evening);
  EXPECT_EQ(Digits(clock.LocaleTimeText(morning)), "090503") << clock.LocaleTimeText(morning);
  EXPECT_EQ(clock.LocaleTimeText(morning).find("UTC"), std::string::npos);
}

// A short date is written with its full year and read back as the day it
// names.
inline void ExpectShortDatesReadBack(Clock& clock) {
  using namespace std::chrono;
  for (const year_month_day date : {2026y / 12 / 31, 2027y / 1 / 1, 2099y / 2 / 28}) {
    const std::string text = clock.ShortDateText(date);
    SCOPED_TRACE(text);
    EXPECT_NE(text.find(std::to_string(static_cast<int>(date.year()))), std::string::npos);
    EXPECT_EQ(clock.ParseShortDate(text), date);
  }
}

// Text that names no day of the German calendar reads as no date.
inline void ExpectNoDateRefused(Clock& germanClock) {
  for (const char* text : {"", "morgen", "31.02.2026", "2026"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(germanClock.ParseShortDate(text));
  }
}

}  // namespace vesperon::contracts
