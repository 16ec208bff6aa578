#pragma once

#include "ports/registry.h"

namespace vesperon {

// The registry port on advapi32. The port speaks UTF-8 and the calls are
// made in their wide form, so a value that holds a path keeps every letter
// of it, whatever the system's ANSI code page. Roots are the predefined
// keys by their numbers (kHkeyLocalMachine); other keys are the handles the
// calls gave out.
class Win32Registry : public Registry {
 public:
  long RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                     RegKey& result) override;
  long RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) override;
  long RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                        std::string& buffer) override;
  long RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                      const std::string& data) override;
  long RegDeleteValueA(RegKey key, const std::string& valueName) override;
  long RegCloseKey(RegKey key) override;
};

}  // namespace vesperon
