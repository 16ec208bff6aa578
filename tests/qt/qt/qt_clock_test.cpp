#include <gtest/gtest.h>

#include "qt/qt_clock.h"
#include "clock_contract.h"

namespace vesperon {
namespace {

using namespace std::chrono;

// The port's contract in the locales Qt knows; (layouts such as ja_JP's
// "21時05分03秒" fall outside the digit table: the face then shows the
// 24-hour time, which the core tests cover).
TEST(QtClock, KeepsTheClockContract) {
  for (const char* name : {"C", "en_US", "en_GB", "de_DE", "es_ES", "fr_FR", "it_IT"}) {
    SCOPED_TRACE(name);
    QtClock clock{QLocale(QString::fromLatin1(name))};
    contracts::ExpectTimeTextFitsTheDigitTable(clock);
  }
  for (const char* name : {"C", "en_US", "de_DE", "es_ES", "ja_JP"}) {
    SCOPED_TRACE(name);
    QtClock clock{QLocale(QString::fromLatin1(name))};
    contracts::ExpectShortDatesReadBack(clock);
  }
  QtClock german{QLocale(QStringLiteral("de_DE"))};
  contracts::ExpectNoDateRefused(german);
}

TEST(QtClock, TwoDigitYearsReadAsThisCentury) {
  QtClock clock{QLocale(QStringLiteral("en_US"))};
  EXPECT_EQ(clock.ParseShortDate("12/8/26"), 2026y / 12 / 8);
}

}  // namespace
}  // namespace vesperon
