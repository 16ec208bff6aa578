#include "platform/win32/win32_power_api.h"

namespace vesperon {

PowerCalls SystemPowerCalls() {
  PowerCalls calls = SystemTokenCalls();
  calls.exitWindowsEx = ::ExitWindowsEx;
  return calls;
}

}  // namespace vesperon
