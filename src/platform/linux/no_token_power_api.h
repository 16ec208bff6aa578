#pragma once

#include <cstdint>
#include <string>

#include "ports/power_api.h"

namespace vesperon {

// The power-off calls as Linux answers them. The Windows path first enables
// the shutdown privilege in the process token; here there is no token, since
// polkit decides (when logind asks it) whether this user may power off. So the
// token calls succeed with plausible values, and only a request carrying the
// power-off flag reaches RequestPowerOff.
class NoTokenPowerApi : public PowerApi {
 public:
  Handle GetCurrentProcess() override;
  bool OpenProcessToken(Handle process, std::uint32_t desiredAccess, Handle& token) override;
  bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                             Luid& luid) override;
  bool AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                             const TokenPrivileges& newState, std::uint32_t bufferLength,
                             TokenPrivileges& previousState, std::uint32_t& returnLength) override;
  // False, and nothing happens, unless flags carry the power-off flag.
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) final;

 protected:
  // True when the request went out.
  virtual bool RequestPowerOff(std::uint32_t flags, std::uint32_t reserved) = 0;
};

}  // namespace vesperon
