#include "platform/linux/power_api_factory.h"

#include <cstdlib>
#include <string_view>

#include "platform/linux/dry_run_power_api.h"
#include "platform/linux/logind_power_api.h"

namespace vesperon {

std::unique_ptr<PowerApi> MakePowerApi() {
  const char* dryRun = std::getenv("VESPERON_DRY_RUN");
  if (dryRun != nullptr && std::string_view(dryRun) == "1") {
    return std::make_unique<DryRunPowerApi>();
  }
  return std::make_unique<LogindPowerApi>();
}

}  // namespace vesperon
