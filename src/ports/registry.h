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

// The Win32 error codes the adapters answer with.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;

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
  // data are the value's bytes; a REG_SZ string carries its terminating NUL.
  virtual long RegSetValueExA(RegKey key, const std::string& valueName, std::uint32_t type,
                              const std::string& data) = 0;
  virtual long RegDeleteValueA(RegKey key, const std::string& valueName) = 0;
  virtual long RegCloseKey(RegKey key) = 0;
};

}  // namespace vesperon
