#include "platform/linux/xdg_autostart_registry.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <map>
#include <string_view>
#include <utility>

#include "ports/run_keys.h"

namespace vesperon {

namespace {

constexpr char kEntryGroup[] = "[Desktop Entry]";
// The value's own text, which the Exec line cannot give back exactly.
constexpr char kValueKey[] = "X-Vesperon-Value";

bool IsRunKey(RegKey root, const std::string& subKey) {
  return root == kHkeyLocalMachine &&
         QString::fromStdString(subKey).compare(QLatin1String(kRunKey), Qt::CaseInsensitive) == 0;
}

// Value names become file names: only names that are plainly one file in the
// folder are accepted (no slash, no leading dot).
bool IsEntryName(const std::string& name) {
  if (name.empty() || name.front() == '.') return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
  });
}

// The escapes of a desktop entry's string values.
QByteArray EscapeString(const QByteArray& text) {
  QByteArray out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case ' ':
        // Readers drop blanks around the '='; inner blanks are safe as they are.
        out += (i == 0 || i == text.size() - 1) ? "\\s" : " ";
        break;
      default:
        out += c;
    }
  }
  return out;
}

QByteArray UnescapeString(const QByteArray& text) {
  QByteArray out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (const char next = text[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += next;
    }
  }
  return out;
}

QByteArray QuoteExecArgument(const QByteArray& argument) {
  static constexpr std::string_view kReserved = " \t\n\r\"'\\><~|&;$*?#()`";
  const bool needsQuotes =
      argument.isEmpty() || std::any_of(argument.begin(), argument.end(), [](char c) {
        return kReserved.find(c) != std::string_view::npos;
      });
  QByteArray out;
  if (needsQuotes) {
    out += '"';
    for (const char c : argument) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
      out += c;
    }
    out += '"';
  } else {
    out = argument;
  }
  // A lone '%' would start a field code.
  return out.replace('%', "%%");
}

// The entry's text under [Desktop Entry], key by key, unescaped.
std::map<QByteArray, QByteArray> EntryKeys(const QByteArray& text) {
  std::map<QByteArray, QByteArray> keys;
  bool inEntry = false;
  for (const QByteArray& line : text.split('\n')) {
    if (line.startsWith('[')) {
      inEntry = line.trimmed() == kEntryGroup;
      continue;
    }
    const qsizetype equals = line.indexOf('=');
    if (!inEntry || line.startsWith('#') || equals < 0) continue;
    QByteArray value = line.mid(equals + 1);
    while (value.startsWith(' ') || value.startsWith('\t')) value.remove(0, 1);
    keys.emplace(line.left(equals).trimmed(), UnescapeString(value));
  }
  return keys;
}

}  // namespace

QByteArray DesktopExecLine(const QByteArray& data) {
  const QByteArray argument = QByteArray(" ") + kAutoStartArgument;
  if (data.endsWith(argument)) {
    return QuoteExecArgument(data.chopped(argument.size())) + argument;
  }
  return QuoteExecArgument(data);
}

XdgAutostartRegistry::XdgAutostartRegistry(QString folder) : folder_(std::move(folder)) {}

QString XdgAutostartRegistry::UserAutostartFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/autostart");
}

QString XdgAutostartRegistry::EntryPath(const std::string& valueName) const {
  if (!IsEntryName(valueName)) return {};
  return folder_ + u'/' + QString::fromStdString(valueName).toLower() + QStringLiteral(".desktop");
}

long XdgAutostartRegistry::OpenRunKey(RegKey root, const std::string& subKey, RegKey& result) {
  result = 0;
  if (!IsRunKey(root, subKey)) return kErrorFileNotFound;
  result = nextKey_++;
  openKeys_.insert(result);
  return kErrorSuccess;
}

long XdgAutostartRegistry::RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t,
                                         RegKey& result) {
  return OpenRunKey(root, subKey, result);
}

long XdgAutostartRegistry::RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) {
  return OpenRunKey(root, subKey, result);
}

long XdgAutostartRegistry::RegQueryValueExA(RegKey key, const std::string& valueName,
                                            std::uint32_t& type, std::string& buffer) {
  if (!IsOpen(key)) return kErrorInvalidHandle;
  const QString path = EntryPath(valueName);
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return kErrorFileNotFound;

  const auto keys = EntryKeys(file.readAll());
  auto found = keys.find(kValueKey);
  if (found == keys.end()) found = keys.find("Exec");  // an entry someone else wrote
  const std::string data =
      (found == keys.end() ? std::string() : found->second.toStdString()) + '\0';

  type = kRegSz;
  const std::size_t copied = std::min(buffer.size(), data.size());
  std::copy_n(data.begin(), copied, buffer.begin());
  return copied < data.size() ? kErrorMoreData : kErrorSuccess;
}

long XdgAutostartRegistry::RegSetValueExA(RegKey key, const std::string& valueName,
                                          std::uint32_t type, const std::string& data) {
  if (!IsOpen(key)) return kErrorInvalidHandle;
  const QString path = EntryPath(valueName);
  if (path.isEmpty() || type != kRegSz) return kErrorInvalidParameter;

  // A string value ends at its NUL.
  const QByteArray text = QByteArray::fromStdString(data.substr(0, data.find('\0')));
  const QByteArray entry = QByteArray(kEntryGroup) + "\n" +
                           "Type=Application\n"
                           "Name=" +
                           EscapeString(QByteArray::fromStdString(valueName)) + "\n" +
                           "Exec=" + EscapeString(DesktopExecLine(text)) + "\n" +
                           "Terminal=false\n"
                           "Hidden=false\n"
                           "X-GNOME-Autostart-enabled=true\n" +
                           kValueKey + "=" + EscapeString(text) + "\n";

  // Written aside and renamed into place: a crash or a full disk leaves the
  // old entry or the new one, never half of one. The explicit flush matters:
  // QSaveFile (Qt 6.4) misses a write error that surfaces only while commit
  // flushes its buffer, and would put a cut entry in place.
  if (!QDir().mkpath(folder_)) return kErrorAccessDenied;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(entry) != entry.size() || !file.flush() ||
      !file.commit()) {
    return kErrorAccessDenied;
  }
  return kErrorSuccess;
}

long XdgAutostartRegistry::RegDeleteValueA(RegKey key, const std::string& valueName) {
  if (!IsOpen(key)) return kErrorInvalidHandle;
  const QString path = EntryPath(valueName);
  if (path.isEmpty() || !QFile::exists(path)) return kErrorFileNotFound;
  return QFile::remove(path) ? kErrorSuccess : kErrorAccessDenied;
}

long XdgAutostartRegistry::RegCloseKey(RegKey key) {
  return openKeys_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace vesperon
