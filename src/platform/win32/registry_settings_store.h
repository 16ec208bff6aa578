#pragma once

#include <windows.h>

#include <string>

#include "ports/settings_store.h"

namespace vesperon {

// The per-user settings in the registry, where Windows programs of this kind
// have always kept them: HKEY_CURRENT_USER\Software\VB and VBA Program
// Settings\<app>\<section>, one string value per key. Settings an earlier
// version left there are read as they stand. Every call goes to the registry
// at once; the registry itself makes each write whole or not at all.
class RegistrySettingsStore : public SettingsStore {
 public:
  // The user's own store by default; tests may pass another place.
  explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER,
                                 std::wstring base = L"Software\\VB and VBA Program Settings");

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& defaultValue) override;
  // Refuses a text that is not UTF-8 or a name with no faithful Windows form.
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

 private:
  HKEY root_;
  std::wstring base_;
};

}  // namespace vesperon
