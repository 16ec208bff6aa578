#include "memory_settings.h"

namespace vesperon {

std::string MemorySettings::Read(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) {
  reads.push_back(section + "/" + key);
  const auto it = values_.find({app, section, key});
  return it == values_.end() ? defaultValue : it->second;
}

bool MemorySettings::Write(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) {
  if (failWrites) return false;
  writes.push_back({section, key, value});
  values_[{app, section, key}] = value;
  if (onWrite) onWrite(writes.back());
  return true;
}

void MemorySettings::Set(const std::string& section, const std::string& key,
                         const std::string& value) {
  values_[{"Vesperon", section, key}] = value;
}

bool MemorySettings::Has(const std::string& section, const std::string& key) const {
  return values_.count({"Vesperon", section, key}) != 0;
}

std::string MemorySettings::Get(const std::string& section, const std::string& key) const {
  const auto it = values_.find({"Vesperon", section, key});
  return it == values_.end() ? std::string() : it->second;
}

}  // namespace vesperon
