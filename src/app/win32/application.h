#pragma once

namespace vesperon::win32_view {

// Builds the adapters, hands them to the windows and runs the message loop
// until the clock has been unloaded. Returns the program's exit status.
int RunApplication();

}  // namespace vesperon::win32_view
