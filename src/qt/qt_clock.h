#pragma once

#include <QLocale>

#include "ports/clock.h"

namespace vesperon {

// The system clock and the user's locale, through Qt.
class QtClock : public Clock {
 public:
  explicit QtClock(QLocale locale = QLocale::system());

  LocalDateTime Now() override;
  std::string LocaleTimeText(const LocalDateTime& t) override;
  std::string ShortDateText(std::chrono::year_month_day date) override;
  std::optional<std::chrono::year_month_day> ParseShortDate(const std::string& text) override;

 private:
  QLocale locale_;
  QString timeFormat_;
  QString shortDateFormat_;
  QString twoDigitYearFormat_;
};

}  // namespace vesperon
