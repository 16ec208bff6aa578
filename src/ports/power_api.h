#pragma once

#include <cstdint>
#include <string>

namespace vesperon {

// The power-off calls, in the shape of the Windows API that asks for them.

using Handle = std::uintptr_t;

struct Luid {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  friend bool operator==(const Luid&, const Luid&) = default;
};

// TOKEN_PRIVILEGES with exactly one entry.
struct TokenPrivileges {
  std::uint32_t privilegeCount = 0;
  Luid luid;
  std::uint32_t attributes = 0;
};
static_assert(sizeof(TokenPrivileges) == 16, "the record is 16 bytes");

inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;
inline constexpr std::uint32_t kEwxPowerOff = 8;

class PowerApi {
 public:
  virtual ~PowerApi() = default;
  virtual Handle GetCurrentProcess() = 0;
  virtual bool OpenProcessToken(Handle process, std::uint32_t desiredAccess, Handle& token) = 0;
  virtual bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                                     Luid& luid) = 0;
  virtual bool AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                                     const TokenPrivileges& newState, std::uint32_t bufferLength,
                                     TokenPrivileges& previousState,
                                     std::uint32_t& returnLength) = 0;
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
};

}  // namespace vesperon
