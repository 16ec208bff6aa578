#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "common/instance_request.h"

namespace vesperon {

// A command line of exactly "--help" or "--version" asks only for a text, the
// usage or "Vesperon <version>", which the program prints before anything
// starts.
// arguments: the program's arguments without its own name.
std::optional<std::string> CommandLineAnswer(const std::vector<std::string>& arguments);

// Any other command line with an argument that begins with "--" asks the
// clock that runs for things (--at, --arm, --disarm, --status, --quit), in
// their order; every argument must then be one of those or --at's time.
// A command line that holds no such argument starts the clock, which looks
// at it whole for "/autostart" and "/debugskin": nullopt.
struct CommandLineRequests {
  std::vector<InstanceRequest> requests;
  // Why the command line asks for nothing, when it is wrong; the program
  // then says so and ends with kUsageStatus, having changed nothing.
  std::string error;
};
std::optional<CommandLineRequests> RequestsOfCommandLine(const std::vector<std::string>& arguments);

inline constexpr int kUsageStatus = 2;

// Writes the answer to out. A write that fails (a full disk, a closed pipe)
// is reported on err and answered false: the caller must not exit with success.
bool WriteAnswer(const std::string& answer, std::FILE* out, std::FILE* err);

}  // namespace vesperon
