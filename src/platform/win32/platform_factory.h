#pragma once

#include <memory>

#include "ports/platform.h"
#include "ports/power_api.h"

namespace vesperon {

// The dry run when VESPERON_DRY_RUN is exactly "1", else the system's own
// calls; a refused request goes to `failures`. MakePlatform takes its
// power-off adapter from here.
std::unique_ptr<PowerApi> MakePowerApi(const PowerOffFailures& failures);

}  // namespace vesperon
