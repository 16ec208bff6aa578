#include "config/mod_ini.h"

#include "common/text_encoding.h"

namespace vesperon {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::string ProfileValue(std::string_view fileBytes, std::string_view section,
                         std::string_view key) {
  // A text file has no NUL in it; anything that has is not read at all.
  if (fileBytes.find('\0') != std::string_view::npos) return "";
  const std::string text = TextFileToUtf8(fileBytes);
  const std::string_view all(text);

  bool seenSection = false;
  bool inSection = false;
  std::size_t start = 0;
  while (start < all.size()) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);

    if (!line.empty() && line.front() == '[') {
      // Only the first section of the name counts: its keys and no others.
      if (inSection) return "";
      const std::size_t close = line.find(']');
      const std::string_view name =
          TrimBlanks(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      inSection = !seenSection && SameIgnoringCase(name, section);
      seenSection = seenSection || inSection;
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!SameIgnoringCase(TrimBlanks(line.substr(0, equals)), key)) continue;
    const std::string_view value = Unquoted(TrimBlanks(line.substr(equals + 1)));
    return FirstCharacters(std::string(value), kIniValueMaxCharacters);
  }
  return "";
}

std::string LeerIni(FileSystem& files, const std::string& path, const std::string& section,
                    const std::string& key) {
  const FileBytes file = files.ReadFile(path, kIniFileMaxBytes);
  if (file.status != FileReadStatus::Ok) return "";
  return ProfileValue(file.bytes, section, key);
}

}  // namespace vesperon
