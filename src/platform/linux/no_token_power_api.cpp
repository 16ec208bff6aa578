#include "platform/linux/no_token_power_api.h"

namespace vesperon {

namespace {

// The values Windows itself hands out, so a trace reads the same on both.
constexpr Handle kCurrentProcessPseudoHandle = ~Handle{0};
constexpr Handle kTokenHandle = 4;
constexpr Luid kShutdownPrivilegeLuid{19, 0};

}  // namespace

Handle NoTokenPowerApi::GetCurrentProcess() { return kCurrentProcessPseudoHandle; }

bool NoTokenPowerApi::OpenProcessToken(Handle /*process*/, std::uint32_t /*desiredAccess*/,
                                       Handle& token) {
  token = kTokenHandle;
  return true;
}

bool NoTokenPowerApi::LookupPrivilegeValueA(const std::string& /*systemName*/,
                                            const std::string& name, Luid& luid) {
  if (name != "SeShutdownPrivilege") return false;
  luid = kShutdownPrivilegeLuid;
  return true;
}

bool NoTokenPowerApi::AdjustTokenPrivileges(Handle /*token*/, bool /*disableAllPrivileges*/,
                                            const TokenPrivileges& newState,
                                            std::uint32_t /*bufferLength*/,
                                            TokenPrivileges& previousState,
                                            std::uint32_t& returnLength) {
  previousState = TokenPrivileges{1, newState.luid, 0};
  returnLength = sizeof(TokenPrivileges);
  return true;
}

bool NoTokenPowerApi::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  if ((flags & kEwxPowerOff) == 0) return false;
  return RequestPowerOff(flags, reserved);
}

}  // namespace vesperon
