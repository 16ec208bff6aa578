#pragma once

#include "platform/linux/no_token_power_api.h"

namespace vesperon {

// Says on standard error that the machine would power off now, and does
// nothing else: for trying the program (and its tests) without losing the
// session.
class DryRunPowerApi final : public NoTokenPowerApi {
 protected:
  bool RequestPowerOff(std::uint32_t flags, std::uint32_t reserved) override;
};

}  // namespace vesperon
