#pragma once

#include <memory>

#include "ports/platform.h"
#include "ports/power_api.h"

namespace vesperon {

// The dry run when VESPERON_DRY_RUN is exactly "1", else logind on the system
// bus, which reports its failures to `failures`. MakePlatform takes its
// power-off adapter from here.
std::unique_ptr<PowerApi> MakePowerApi(const PowerOffFailures& failures);

}  // namespace vesperon
