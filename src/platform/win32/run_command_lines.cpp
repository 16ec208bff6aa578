#include "platform/win32/run_command_lines.h"

#include <algorithm>
#include <cctype>

#include "ports/run_keys.h"

namespace vesperon {

namespace {

bool SameKeyName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string QuotedRunCommand(const std::string& command) {
  const std::string suffix = std::string(" ") + kAutoStartArgument;
  if (command.size() <= suffix.size() || !command.ends_with(suffix)) return command;
  const std::string program = command.substr(0, command.size() - suffix.size());
  if (program.front() == '"' || program.find_first_of(" \t") == std::string::npos) return command;
  return '"' + program + '"' + suffix;
}

std::string UnquotedRunCommand(const std::string& command) {
  const std::string suffix = std::string(" ") + kAutoStartArgument;
  if (command.size() < suffix.size() + 2 || !command.ends_with(suffix)) return command;
  const std::string program = command.substr(0, command.size() - suffix.size());
  if (program.front() != '"' || program.back() != '"') return command;
  const std::string bare = program.substr(1, program.size() - 2);
  if (bare.find('"') != std::string::npos || bare.find_first_of(" \t") == std::string::npos)
    return command;
  return bare + suffix;
}

RunCommandLines::RunCommandLines(std::unique_ptr<Registry> registry)
    : registry_(std::move(registry)) {}

long RunCommandLines::Remember(long status, RegKey root, const std::string& subKey, RegKey key) {
  if (status == kErrorSuccess && root == kHkeyLocalMachine && SameKeyName(subKey, kRunKey))
    runKeys_.insert(key);
  return status;
}

long RunCommandLines::RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                                    RegKey& result) {
  const long status = registry_->RegOpenKeyExA(root, subKey, access, result);
  return Remember(status, root, subKey, result);
}

long RunCommandLines::RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) {
  const long status = registry_->RegCreateKeyA(root, subKey, result);
  return Remember(status, root, subKey, result);
}

long RunCommandLines::RegQueryValueExA(RegKey key, const std::string& valueName,
                                       std::uint32_t& type, std::string& buffer) {
  if (!runKeys_.contains(key)) return registry_->RegQueryValueExA(key, valueName, type, buffer);
  // Room for the two quotes the stored command may have beyond the text.
  std::string stored(buffer.size() + 2, ' ');
  std::uint32_t storedType = type;
  const long status = registry_->RegQueryValueExA(key, valueName, storedType, stored);
  const std::size_t end = stored.find('\0');
  if (status != kErrorSuccess || storedType != kRegSz || end == std::string::npos)
    return registry_->RegQueryValueExA(key, valueName, type, buffer);
  const std::string text = UnquotedRunCommand(stored.substr(0, end)) + '\0';
  type = storedType;
  const std::size_t copied = std::min(buffer.size(), text.size());
  std::copy_n(text.begin(), copied, buffer.begin());
  return copied < text.size() ? kErrorMoreData : kErrorSuccess;
}

long RunCommandLines::RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                                     const std::string& data) {
  if (type != kRegSz || !runKeys_.contains(key))
    return registry_->RegSetValueExA(key, valueName, type, data);
  // The text ends at its NUL, which the stored value keeps.
  const std::string text = data.substr(0, data.find('\0'));
  return registry_->RegSetValueExA(key, valueName, type, QuotedRunCommand(text) + '\0');
}

long RunCommandLines::RegDeleteValueA(RegKey key, const std::string& valueName) {
  return registry_->RegDeleteValueA(key, valueName);
}

long RunCommandLines::RegCloseKey(RegKey key) {
  runKeys_.erase(key);
  return registry_->RegCloseKey(key);
}

}  // namespace vesperon
