#include "memory_registry.h"

#include <algorithm>
#include <cctype>

namespace vesperon {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER.
constexpr std::uint32_t kWriteRights = 0xD0026;

}  // namespace

MemoryRegistry::KeyPath MemoryRegistry::PathOf(RegKey root, const std::string& subKey) {
  return {root, Lower(subKey)};
}

MemoryRegistry::Values* MemoryRegistry::Open(RegKey key) {
  const auto handle = handles_.find(key);
  if (handle == handles_.end()) return nullptr;
  return &keys_[handle->second];
}

RegKey MemoryRegistry::NewHandle(const KeyPath& path) {
  const RegKey key = nextHandle_++;
  handles_[key] = path;
  return key;
}

long MemoryRegistry::RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                                   RegKey& result) {
  result = 0;
  const KeyPath path = PathOf(root, subKey);
  if (!keys_.contains(path)) return kErrorFileNotFound;
  if (readOnly && (access & kWriteRights) != 0) return kErrorAccessDenied;
  result = NewHandle(path);
  return kErrorSuccess;
}

long MemoryRegistry::RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) {
  result = 0;
  if (readOnly) return kErrorAccessDenied;
  const KeyPath path = PathOf(root, subKey);
  keys_[path];
  result = NewHandle(path);
  return kErrorSuccess;
}

long MemoryRegistry::RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                                      std::string& buffer) {
  Values* values = Open(key);
  if (values == nullptr) return kErrorInvalidHandle;
  const auto value = values->find(Lower(valueName));
  if (value == values->end()) return kErrorFileNotFound;
  type = value->second.type;
  const std::string& data = value->second.data;
  const std::size_t copied = std::min(buffer.size(), data.size());
  std::copy_n(data.begin(), copied, buffer.begin());
  return copied < data.size() ? kErrorMoreData : kErrorSuccess;
}

long MemoryRegistry::RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                                    const std::string& data) {
  Values* values = Open(key);
  if (values == nullptr) return kErrorInvalidHandle;
  if (readOnly || failWrites) return kErrorAccessDenied;
  (*values)[Lower(valueName)] = Value{type, data};
  return kErrorSuccess;
}

long MemoryRegistry::RegDeleteValueA(RegKey key, const std::string& valueName) {
  Values* values = Open(key);
  if (values == nullptr) return kErrorInvalidHandle;
  if (readOnly || failWrites) return kErrorAccessDenied;
  return values->erase(Lower(valueName)) == 1 ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::RegCloseKey(RegKey key) {
  return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

void MemoryRegistry::CreateKey(RegKey root, const std::string& subKey) {
  keys_[PathOf(root, subKey)];
}

bool MemoryRegistry::HasKey(RegKey root, const std::string& subKey) const {
  return keys_.contains(PathOf(root, subKey));
}

void MemoryRegistry::SetString(RegKey root, const std::string& subKey, const std::string& name,
                               const std::string& text) {
  keys_[PathOf(root, subKey)][Lower(name)] = Value{kRegSz, text + '\0'};
}

std::optional<std::string> MemoryRegistry::Data(RegKey root, const std::string& subKey,
                                                const std::string& name) const {
  const auto values = keys_.find(PathOf(root, subKey));
  if (values == keys_.end()) return std::nullopt;
  const auto value = values->second.find(Lower(name));
  if (value == values->second.end()) return std::nullopt;
  return value->second.data;
}

}  // namespace vesperon
