#include "platform/linux/dry_run_power_api.h"

#include <iostream>

namespace vesperon {

bool DryRunPowerApi::RequestPowerOff(std::uint32_t flags, std::uint32_t /*reserved*/) {
  std::cerr << "vesperon: dry run: power-off requested (ExitWindowsEx flags " << flags << ")\n";
  return true;
}

}  // namespace vesperon
