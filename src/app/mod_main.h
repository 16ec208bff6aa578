#pragma once

#include <string>
#include <string_view>

#include "ports/environment.h"

namespace vesperon {

class FrmMain;
class FrmMenu;

// The start-up routine. Returns false, having touched nothing, when another
// copy of the program already runs for this user; that copy is first asked
// to come forward.
bool Main(Environment& environment, FrmMenu& menu, FrmMain& window);

// What the running copy does with the request line of a later start (see
// app/instance_request.h), and its answer line.
std::string AnswerLaterStart(FrmMain& window, std::string_view line);

}  // namespace vesperon
