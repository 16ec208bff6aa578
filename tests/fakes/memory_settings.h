#pragma once

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ports/settings_store.h"

namespace vesperon {

// The settings store in memory, with every write kept in order.
class MemorySettings : public SettingsStore {
 public:
  struct Write_ {
    std::string section;
    std::string key;
    std::string value;
    friend bool operator==(const Write_&, const Write_&) = default;
  };

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& defaultValue) override;
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

  // Section/key of the "Vesperon" application.
  void Set(const std::string& section, const std::string& key, const std::string& value);
  bool Has(const std::string& section, const std::string& key) const;
  std::string Get(const std::string& section, const std::string& key) const;

  std::vector<Write_> writes;                  // the writes that were stored
  std::function<void(const Write_&)> onWrite;  // after each stored write
  bool failWrites = false;                     // every write fails, as on a full disk
  std::vector<std::string> reads;              // "section/key", in order

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace vesperon
