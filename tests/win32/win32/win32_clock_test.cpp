#include "win32/win32_clock.h"

#include <gtest/gtest.h>

#include "common/time_text.h"
#include "win32/date_picture.h"

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

TEST(Win32Clock, TimeTextFitsTheDigitTableInCommonLocales) {
  const LocalDateTime evening{2026y / 12 / 7, 21, 5, 3, 0};
  const LocalDateTime morning{2026y / 12 / 7, 9, 5, 3, 0};
  for (const wchar_t* name : {L"en-US", L"en-GB", L"de-DE", L"es-ES", L"fr-FR", L"it-IT"}) {
    Win32Clock clock(name);
    SCOPED_TRACE(clock.LocaleTimeText(evening));
    // 12-hour locales show 9 in the evening; 24-hour ones 21.
    const std::string eveningDigits = Digits(clock.LocaleTimeText(evening));
    EXPECT_TRUE(eveningDigits == "210503" || eveningDigits == "090503");
    EXPECT_EQ(Digits(clock.LocaleTimeText(morning)), "090503");
  }
}

TEST(Win32Clock, ShortDatesReadBackAsTheDayTheyName) {
  // Thai dates count Buddhist years: the written date must still read back.
  for (const wchar_t* name : {L"en-US", L"de-DE", L"es-ES", L"ja-JP", L"zh-CN", L"th-TH"}) {
    Win32Clock clock(name);
    for (const year_month_day date : {2026y / 12 / 31, 2027y / 1 / 1, 2099y / 2 / 28}) {
      const std::string text = clock.ShortDateText(date);
      SCOPED_TRACE(text);
      EXPECT_NE(text.find(std::to_string(static_cast<int>(date.year()))), std::string::npos);
      EXPECT_EQ(clock.ParseShortDate(text), date);
    }
  }
}

TEST(Win32Clock, TextThatIsNoDateIsRefused) {
  Win32Clock german(L"de-DE");
  EXPECT_EQ(german.ParseShortDate(" " + german.ShortDateText(2026y / 12 / 8) + " "),
            2026y / 12 / 8);
  for (const char* text : {"", "morgen", "31.02.2026", "2026", "8.12.2026x", "\xff"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(german.ParseShortDate(text));
  }
}

TEST(DatePicture, QuotedTextAndTheYearsLength) {
  EXPECT_EQ(WithFullYear(L"d/M/yy"), L"d/M/yyyy");
  // Written by hand, or by a picture with a short year: this century.
  EXPECT_EQ(ParseWithPicture(L"8/12/26", L"d/M/yy"), 2026y / 12 / 8);
  EXPECT_EQ(ParseWithPicture(L"8/12/26", L"d/M/yyyy"), std::nullopt);
  EXPECT_EQ(WithFullYear(L"yyyy'y'M'yy'"), L"yyyy'y'M'yy'");
  EXPECT_EQ(ParseWithPicture(L"2026年12月8日", L"yyyy'年'M'月'd'日'"), 2026y / 12 / 8);
  EXPECT_EQ(ParseWithPicture(L"8 o'12 2026", L"d 'o'''M yyyy"), 2026y / 12 / 8);
  EXPECT_EQ(ParseWithPicture(L"8-dic-2026", L"d-MMM-yyyy"), std::nullopt);
}

}  // namespace
}  // namespace vesperon
