#include "win32/win32_clock.h"

#include <gtest/gtest.h>

#include "clock_contract.h"
#include "win32/date_picture.h"

namespace vesperon {
namespace {

using namespace std::chrono;

// The port's contract in the locales of the system; Thai dates count
// Buddhist years, and the written date must still read back.
TEST(Win32Clock, KeepsTheClockContract) {
  for (const wchar_t* name : {L"en-US", L"en-GB", L"de-DE", L"es-ES", L"fr-FR", L"it-IT"}) {
    Win32Clock clock(name);
    contracts::ExpectTimeTextFitsTheDigitTable(clock);
  }
  for (const wchar_t* name : {L"en-US", L"de-DE", L"es-ES", L"ja-JP", L"zh-CN", L"th-TH"}) {
    Win32Clock clock(name);
    contracts::ExpectShortDatesReadBack(clock);
  }
  Win32Clock german(L"de-DE");
  contracts::ExpectNoDateRefused(german);
}

TEST(Win32Clock, TextThatIsNoDateIsRefused) {
  Win32Clock german(L"de-DE");
  EXPECT_EQ(german.ParseShortDate(" " + german.ShortDateText(2026y / 12 / 8) + " "),
            2026y / 12 / 8);
  for (const char* text : {"8.12.2026x", "\xff"}) {
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
