#pragma once

namespace vesperon::qt_view {

// Builds the adapters, hands them to the windows and runs the event loop.
int RunApplication(int argc, char** argv);

}  // namespace vesperon::qt_view
