#include "win32/date_picture.h"

#include <algorithm>

namespace vesperon {

namespace {

// Marks of writing direction that the system puts into dates of some
// locales; they are not part of what is read.
bool IsDirectionMark(wchar_t c) { return c == 0x200E || c == 0x200F || c == 0x061C; }

std::wstring WithoutDirectionMarks(std::wstring_view text) {
  std::wstring result;
  std::copy_if(text.begin(), text.end(), std::back_inserter(result),
               [](wchar_t c) { return !IsDirectionMark(c); });
  return result;
}

std::size_t RunLength(std::wstring_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && text[end] == text[at]) ++end;
  return end - at;
}

// A quoted literal from its opening quote: its text, and where it ends.
// Two quotes in a row stand for one.
std::wstring Literal(std::wstring_view picture, std::size_t& at) {
  std::wstring text;
  for (++at; at < picture.size(); ++at) {
    if (picture[at] != L'\'') {
      text += picture[at];
    } else if (at + 1 < picture.size() && picture[at + 1] == L'\'') {
      text += L'\'';
      ++at;
    } else {
      ++at;
      break;
    }
  }
  return text;
}

// Up to maxDigits digits, at least one.
std::optional<int> Number(std::wstring_view text, std::size_t& at, std::size_t maxDigits) {
  int value = 0;
  std::size_t digits = 0;
  while (at < text.size() && digits < maxDigits && text[at] >= L'0' && text[at] <= L'9') {
    value = value * 10 + (text[at] - L'0');
    ++at;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return value;
}

}  // namespace

std::wstring WithFullYear(std::wstring_view picture) {
  std::wstring result;
  for (std::size_t at = 0; at < picture.size();) {
    if (picture[at] == L'\'') {
      const std::size_t start = at;
      Literal(picture, at);
      result.append(picture.substr(start, at - start));
      continue;
    }
    const std::size_t run = RunLength(picture, at);
    if (picture[at] == L'y' && run < 4)
      result += L"yyyy";
    else
      result.append(picture.substr(at, run));
    at += run;
  }
  return result;
}

std::optional<std::chrono::year_month_day> ParseWithPicture(std::wstring_view input,
                                                            std::wstring_view picture) {
  const std::wstring text = WithoutDirectionMarks(input);
  std::optional<int> day, month, year;
  std::size_t at = 0;
  for (std::size_t p = 0; p < picture.size();) {
    std::wstring literal;
    if (picture[p] == L'\'') {
      literal = Literal(picture, p);
    } else {
      const wchar_t field = picture[p];
      const std::size_t run = RunLength(picture, p);
      p += run;
      if (field == L'd' || field == L'M') {
        if (run > 2) return std::nullopt;  // a name
        (field == L'd' ? day : month) = Number(text, at, 2);
        if (!(field == L'd' ? day : month)) return std::nullopt;
        continue;
      }
      if (field == L'y') {
        // A year in full has four digits at least: "26" is no year of "yyyy".
        const std::size_t from = at;
        year = Number(text, at, run <= 2 ? 2 : 5);
        if (!year || (run > 2 && at - from < 4)) return std::nullopt;
        if (run <= 2) *year += 2000;
        continue;
      }
      if (field == L'g') return std::nullopt;  // an era
      literal.assign(run, field);
    }
    literal = WithoutDirectionMarks(literal);
    if (text.compare(at, literal.size(), literal) != 0) return std::nullopt;
    at += literal.size();
  }
  if (at != text.size() || !day || !month || !year) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{*year},
                                         std::chrono::month{static_cast<unsigned>(*month)},
                                         std::chrono::day{static_cast<unsigned>(*day)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

}  // namespace vesperon
