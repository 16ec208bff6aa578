#include "qt/qt_clock.h"

#include <QDateTime>

namespace vesperon {

namespace {

// The locale's long time format less its time-zone part: the face wants
// "9:05:03 PM" or "21:05:03", not "21:05:03 CET".
QString WithoutTimeZone(const QString& format) {
  QString result;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == u'\'') quoted = !quoted;
    if (!quoted && c == u't') continue;
    result += c;
  }
  return result.trimmed();
}

// Short date formats with a two-digit year read back as 19xx, so a stored
// shutdown date would never come round again. Write the year in full.
QString WithFullYear(const QString& format) {
  if (format.contains(QLatin1String("yyyy"))) return format;
  QString result = format;
  result.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return result;
}

std::chrono::year_month_day ToYmd(QDate date) {
  return std::chrono::year{date.year()} / date.month() / date.day();
}

}  // namespace

QtClock::QtClock(QLocale locale)
    : locale_(std::move(locale)),
      timeFormat_(WithoutTimeZone(locale_.timeFormat(QLocale::LongFormat))),
      shortDateFormat_(WithFullYear(locale_.dateFormat(QLocale::ShortFormat))),
      twoDigitYearFormat_(locale_.dateFormat(QLocale::ShortFormat)) {}

LocalDateTime QtClock::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  const QTime time = now.time();
  LocalDateTime t;
  t.date = ToYmd(now.date());
  t.hour = time.hour();
  t.minute = time.minute();
  t.second = time.second();
  t.millisecond = time.msec();
  return t;
}

std::string QtClock::LocaleTimeText(const LocalDateTime& t) {
  return locale_.toString(QTime(t.hour, t.minute, t.second), timeFormat_).toStdString();
}

std::string QtClock::ShortDateText(std::chrono::year_month_day date) {
  const QDate d(static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                static_cast<int>(unsigned(date.day())));
  return locale_.toString(d, shortDateFormat_).toStdString();
}

std::optional<std::chrono::year_month_day> QtClock::ParseShortDate(const std::string& text) {
  const QString s = QString::fromStdString(text).trimmed();
  QDate date = locale_.toDate(s, shortDateFormat_);
  if (!date.isValid()) {
    // Written with a two-digit year (by hand, or before the full year was used).
    date = locale_.toDate(s, twoDigitYearFormat_);
    if (date.isValid() && date.year() < 2000) date = date.addYears(100);
  }
  if (!date.isValid()) return std::nullopt;
  return ToYmd(date);
}

}  // namespace vesperon
