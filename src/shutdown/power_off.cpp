#include "shutdown/power_off.h"

#include "common/settings_schema.h"

namespace vesperon {

namespace {
// EWX_POWEROFF, and the reserved argument with all bits set.
constexpr std::uint32_t kExitFlags = kEwxPowerOff;
constexpr std::uint32_t kExitReserved = 0xFFFFFFFF;
}  // namespace

bool EjecutarApagado(SettingsStore& settings, PowerApi& power) {
  // Read at the moment of power-off, untrimmed: a change in the dialog counts at once.
  const std::string version = StoredSettings(settings).Text(settings::kWindowsVersion);
  if (version == "1") {
    ApagarWin9x(power);
    return true;
  }
  if (version == "2") {
    ApagarWinNT(power);
    return true;
  }
  return false;
}

void ApagarWin9x(PowerApi& power) { power.ExitWindowsEx(kExitFlags, kExitReserved); }

void ApagarWinNT(PowerApi& power) {
  // No result is examined: the power-off request is made whatever the
  // privilege steps returned.
  const Handle process = power.GetCurrentProcess();
  Handle token = 0;
  power.OpenProcessToken(process, kTokenAdjustPrivileges | kTokenQuery, token);
  Luid luid;
  power.LookupPrivilegeValueA("", "SeShutdownPrivilege", luid);
  TokenPrivileges privileges;
  privileges.privilegeCount = 1;
  privileges.luid = luid;
  privileges.attributes = kSePrivilegeEnabled;
  TokenPrivileges previous;
  std::uint32_t returnLength = 0;
  power.AdjustTokenPrivileges(token, false, privileges, sizeof(TokenPrivileges), previous,
                              returnLength);
  power.ExitWindowsEx(kExitFlags, kExitReserved);
}

}  // namespace vesperon
