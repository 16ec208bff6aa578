#pragma once

#include "ports/environment.h"

namespace vesperon {

class FrmMain;
class FrmMenu;

// The start-up routine. Returns false, having touched nothing, when another
// copy of the program already runs for this user.
bool Main(Environment& environment, FrmMenu& menu, FrmMain& window);

}  // namespace vesperon
