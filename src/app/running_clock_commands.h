#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/instance_request.h"
#include "ports/environment.h"

namespace vesperon {

// A command line's requests (RequestsOfCommandLine), carried out by the
// clock that runs for this user, one after another. With no clock running,
// one is started hidden first (Environment::StartHiddenCopy), except for a
// command line that only asks to quit: there is nothing to end.
// Each answer's text goes to `out`, one line each; the first refusal or
// failure goes to `err`, and the requests after it are not sent. After
// "quit", waits until the clock is gone. Returns the exit status: 0 when
// every request was carried out, 1 otherwise.
int CarryOutCommands(Environment& environment, const std::vector<InstanceRequest>& requests,
                     std::ostream& out, std::ostream& err);

// A command line of requests carried out as above, with the environment
// made for it; a wrong one refused on `err` with kUsageStatus, before
// anything is asked or started. Returns the exit status, or nullopt when
// the command line holds no request: the clock starts as usual.
std::optional<int> CarryOutCommandLine(
    const std::vector<std::string>& arguments,
    const std::function<std::unique_ptr<Environment>()>& makeEnvironment, std::ostream& out,
    std::ostream& err);

}  // namespace vesperon
