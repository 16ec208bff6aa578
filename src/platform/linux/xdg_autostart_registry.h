#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <set>
#include <string>

#include "ports/registry.h"

namespace vesperon {

// The Run key of HKEY_LOCAL_MACHINE as the user's XDG autostart folder: the
// string value N is the desktop entry <lower-case N>.desktop, which starts
// the command the value holds when the session starts. The value's exact
// text is kept in the entry too, so reading gives back what was written.
// Every other key is missing.
class XdgAutostartRegistry : public Registry {
 public:
  // The user's own folder by default; tests pass a temporary one.
  explicit XdgAutostartRegistry(QString folder = UserAutostartFolder());

  // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart.
  static QString UserAutostartFolder();

  long RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                     RegKey& result) override;
  long RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) override;
  long RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                        std::string& buffer) override;
  long RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                      const std::string& data) override;
  long RegDeleteValueA(RegKey key, const std::string& valueName) override;
  long RegCloseKey(RegKey key) override;

  // The desktop entry file of a value, empty for names that cannot be one.
  QString EntryPath(const std::string& valueName) const;

 private:
  long OpenRunKey(RegKey root, const std::string& subKey, RegKey& result);
  bool IsOpen(RegKey key) const { return openKeys_.contains(key); }

  QString folder_;
  std::set<RegKey> openKeys_;
  RegKey nextKey_ = 1;
};

// The Exec line of a desktop entry that runs data, a program path optionally
// followed by " /autostart": each argument quoted and escaped the way
// desktop entries want their Exec keys.
QByteArray DesktopExecLine(const QByteArray& data);

}  // namespace vesperon
