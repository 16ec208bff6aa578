#include "win32/win32_clock.h"

#include <windows.h>

#include <cstdio>

#include "win32/date_picture.h"
#include "win32/wide_text.h"

namespace vesperon {

namespace {

constexpr wchar_t kIsoPicture[] = L"yyyy-MM-dd";

SYSTEMTIME ToSystemTime(std::chrono::year_month_day date, int hour = 0, int minute = 0,
                        int second = 0) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(static_cast<int>(date.year()));
  time.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  time.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return time;
}

std::wstring LocaleText(const wchar_t* locale, LCTYPE what) {
  wchar_t buffer[LOCALE_NAME_MAX_LENGTH * 4] = {};
  const int length = GetLocaleInfoEx(locale, what, buffer, static_cast<int>(std::size(buffer)));
  return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
}

std::wstring Trimmed(std::wstring text) {
  const std::size_t start = text.find_first_not_of(L" \t");
  if (start == std::wstring::npos) return {};
  return text.substr(start, text.find_last_not_of(L" \t") - start + 1);
}

}  // namespace

Win32Clock::Win32Clock(std::wstring localeName)
    : locale_(std::move(localeName)),
      picture_(WithFullYear(LocaleText(Locale(), LOCALE_SSHORTDATE))),
      localePicture_(LocaleText(Locale(), LOCALE_SSHORTDATE)) {}

const wchar_t* Win32Clock::Locale() const {
  return locale_.empty() ? LOCALE_NAME_USER_DEFAULT : locale_.c_str();
}

LocalDateTime Win32Clock::Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  LocalDateTime t;
  t.date = std::chrono::year{now.wYear} / now.wMonth / now.wDay;
  t.hour = now.wHour;
  t.minute = now.wMinute;
  t.second = now.wSecond;
  t.millisecond = now.wMilliseconds;
  return t;
}

std::string Win32Clock::LocaleTimeText(const LocalDateTime& t) {
  const SYSTEMTIME time = ToSystemTime(t.date, t.hour, t.minute, t.second);
  wchar_t buffer[128] = {};
  const int length =
      GetTimeFormatEx(Locale(), 0, &time, nullptr, buffer, static_cast<int>(std::size(buffer)));
  if (length <= 0) return {};
  return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(length - 1)));
}

std::string Win32Clock::ShortDateText(std::chrono::year_month_day date) {
  const SYSTEMTIME time = ToSystemTime(date);
  wchar_t buffer[128] = {};
  const auto write = [&](const std::wstring& picture) {
    const int length = GetDateFormatEx(Locale(), 0, &time, picture.c_str(), buffer,
                                       static_cast<int>(std::size(buffer)), nullptr);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : std::wstring();
  };
  const std::wstring text = picture_.empty() ? std::wstring() : write(picture_);
  if (!text.empty() && ParseWithPicture(text, picture_) == date) return Narrow(text);
  // Written by hand: the system would write the year of the locale's calendar.
  char iso[16];
  std::snprintf(iso, sizeof iso, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return iso;
}

std::optional<std::chrono::year_month_day> Win32Clock::ParseShortDate(const std::string& text) {
  const auto wide = Widen(text);
  if (!wide) return std::nullopt;
  const std::wstring trimmed = Trimmed(*wide);
  for (const std::wstring& picture : {picture_, localePicture_, std::wstring(kIsoPicture)}) {
    if (picture.empty()) continue;
    if (auto date = ParseWithPicture(trimmed, picture)) return date;
  }
  return std::nullopt;
}

}  // namespace vesperon
