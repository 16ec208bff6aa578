#pragma once

#include <memory>
#include <set>
#include <string>

#include "ports/registry.h"

namespace vesperon {

// Values under the Run key are command lines, and Windows reads a command
// line's program name up to the first blank unless it is quoted: an entry
// "C:\Program Files\Vesperon\vesperon.exe /autostart" would start
// "C:\Program" (or whatever file of that name someone put there), and the
// program would not be told "/autostart". So the program's own entry, a
// path followed by " /autostart", is written with the path in quotes when it
// holds a blank, and reads back as the program wrote it, so that what was
// registered can be checked against what was asked for. Everything else
// passes through unchanged.
class RunCommandLines : public Registry {
 public:
  explicit RunCommandLines(std::unique_ptr<Registry> registry);

  long RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                     RegKey& result) override;
  long RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) override;
  long RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                        std::string& buffer) override;
  long RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                      const std::string& data) override;
  long RegDeleteValueA(RegKey key, const std::string& valueName) override;
  long RegCloseKey(RegKey key) override;

 private:
  long Remember(long status, RegKey root, const std::string& subKey, RegKey key);

  std::unique_ptr<Registry> registry_;
  std::set<RegKey> runKeys_;  // open handles of the Run key
};

// "path /autostart" with the path quoted when it holds a blank or a tab;
// any other text as it is.
std::string QuotedRunCommand(const std::string& command);

// The other way: a command QuotedRunCommand quoted, bare again; any other
// text as it is.
std::string UnquotedRunCommand(const std::string& command);

}  // namespace vesperon
