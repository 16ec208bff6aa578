#pragma once

#include <string>
#include <string_view>

#include "ports/environment.h"

namespace vesperon {

class FrmMain;
class FrmMenu;

// The start-up routine. Returns false, having touched nothing, when another
// copy of the program already runs for this user; that copy is first asked
// to come forward, unless this start is the session's (/autostart).
bool Main(Environment& environment, FrmMenu& menu, FrmMain& window);

// What the running copy does with the request line of a later start (see
// common/instance_request.h), and its answer line: for at, arm, disarm and
// status, "ok " and the status line as things then stand (StatusLine).
std::string AnswerLaterStart(FrmMain& window, std::string_view line);

}  // namespace vesperon
