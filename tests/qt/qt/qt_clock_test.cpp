#include <gtest/gtest.h>

#include "qt/qt_clock.h"
#include "common/time_text.h"

namespace vesperon {
namespace {

using namespace std::chrono;

std::string Digits(const std::string& text) {
  const auto d = DigitsOfTimeText(text);
  if (!d) return "none";
  std::string s;
  for (int v : *d) s += static_cast<char>('0' + v);
  return s;
}

TEST(QtClock, TimeTextFitsTheDigitTableInCommonLocales) {
  const LocalDateTime evening{2026y / 12 / 7, 21, 5, 3, 0};
  const LocalDateTime morning{2026y / 12 / 7, 9, 5, 3, 0};
  // (Layouts such as ja_JP's "21時05分03秒" fall outside the table; the face
  // then shows the 24-hour time, which the core tests cover.)
  for (const char* name : {"C", "en_US", "en_GB", "de_DE", "es_ES", "fr_FR", "it_IT"}) {
    SCOPED_TRACE(name);
    QtClock clock{QLocale(QString::fromLatin1(name))};
    // 12-hour locales show 9 in the evening; 24-hour ones 21.
    const std::string evening_digits = Digits(clock.LocaleTimeText(evening));
    EXPECT_TRUE(evening_digits == "210503" || evening_digits == "090503")
        << clock.LocaleTimeText(evening);
    EXPECT_EQ(Digits(clock.LocaleTimeText(morning)), "090503") << clock.LocaleTimeText(morning);
    // No time zone name trails the text.
    EXPECT_EQ(clock.LocaleTimeText(morning).find("UTC"), std::string::npos);
  }
}

TEST(QtClock, ShortDateRoundTripsWithTheFullYear) {
  for (const char* name : {"C", "en_US", "de_DE", "es_ES", "ja_JP"}) {
    SCOPED_TRACE(name);
    QtClock clock{QLocale(QString::fromLatin1(name))};
    for (const year_month_day date : {2026y / 12 / 31, 2027y / 1 / 1, 2099y / 2 / 28}) {
      const std::string text = clock.ShortDateText(date);
      EXPECT_NE(text.find(std::to_string(static_cast<int>(date.year()))), std::string::npos)
          << text;
      EXPECT_EQ(clock.ParseShortDate(text), date) << text;
    }
  }
}

TEST(QtClock, TwoDigitYearsReadAsThisCentury) {
  QtClock clock{QLocale(QStringLiteral("en_US"))};
  EXPECT_EQ(clock.ParseShortDate("12/8/26"), 2026y / 12 / 8);
}

TEST(QtClock, TextThatIsNoDateIsRefused) {
  QtClock clock{QLocale(QStringLiteral("de_DE"))};
  for (const char* text : {"", "morgen", "31.02.2026", "2026"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(clock.ParseShortDate(text));
  }
}

}  // namespace
}  // namespace vesperon
