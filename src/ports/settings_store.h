#pragma once

#include <string>

namespace vesperon {

// The per-user settings store: texts addressed by application, section, key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or defaultValue when the key does not exist.
  virtual std::string Read(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& defaultValue) = 0;
  // Creates section and key when needed; overwrites an existing value.
  // False when the value could not be stored (a full disk, a read-only
  // home); the store then keeps what it had.
  virtual bool Write(const std::string& app, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};

}  // namespace vesperon
