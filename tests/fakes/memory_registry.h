#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "ports/registry.h"

namespace vesperon {

// A registry in memory that answers like Windows does: key paths and value
// names without regard to case, missing keys and values as
// ERROR_FILE_NOT_FOUND, and queries that copy at most the buffer's size.
class MemoryRegistry : public Registry {
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

  // --- arranging and inspecting ---
  void CreateKey(RegKey root, const std::string& subKey);
  bool HasKey(RegKey root, const std::string& subKey) const;
  // Stores a REG_SZ the way RegSetValueExA gets it: the text and its NUL.
  void SetString(RegKey root, const std::string& subKey, const std::string& name,
                 const std::string& text);
  // The raw bytes of a value, NUL included; nullopt when it does not exist.
  std::optional<std::string> Data(RegKey root, const std::string& subKey,
                                  const std::string& name) const;
  // Keys opened or created and not yet closed.
  int OpenHandles() const { return static_cast<int>(handles_.size()); }

  // Like a user without rights under HKEY_LOCAL_MACHINE: reading works,
  // opening for writing and creating keys are refused.
  bool readOnly = false;
  // Keys open for writing, but no value can be stored or removed (a full
  // disk under the autostart folder).
  bool failWrites = false;

 private:
  using KeyPath = std::pair<RegKey, std::string>;  // root, lower-case sub-key
  struct Value {
    std::uint32_t type = kRegSz;
    std::string data;
  };
  using Values = std::map<std::string, Value>;  // by lower-case name

  static KeyPath PathOf(RegKey root, const std::string& subKey);
  Values* Open(RegKey key);
  RegKey NewHandle(const KeyPath& path);

  std::map<KeyPath, Values> keys_;
  std::map<RegKey, KeyPath> handles_;
  RegKey nextHandle_ = 1;
};

}  // namespace vesperon
