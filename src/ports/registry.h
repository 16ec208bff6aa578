#pragma once

#include <cstdint>
#include <string>

namespace vesperon {

// String values under registry keys, in the shape of the Win32 calls.

using RegKey = std::uintptr_t;  // 0 = no key

inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kRegSz = 1;

class Registry {
 public:
  virtual ~Registry() = default;
  // Each returns 0 (ERROR_SUCCESS) or an error code.
  virtual long RegOpenKeyExA(RegKey root, const std::string& subKey, std::uint32_t access,
                             RegKey& result) = 0;
  virtual long RegCreateKeyA(RegKey root, const std::string& subKey, RegKey& result) = 0;
  // Copies the value's bytes into buffer (at most buffer.size() bytes);
  // the buffer keeps its other bytes.
  virtual long RegQueryValueExA(RegKey key, const std::string& valueName, std::uint32_t& type,
                                std::string& buffer) = 0;
  virtual long RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                              const std::string& data) = 0;
  virtual long RegDeleteValueA(RegKey key, const std::string& valueName) = 0;
  virtual long RegCloseKey(RegKey key) = 0;
};

}  // namespace vesperon
