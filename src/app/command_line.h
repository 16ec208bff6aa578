#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace vesperon {

// A command line of exactly "--help" or "--version" asks only for a text, the
// usage or "Vesperon <version>", which the program prints before anything
// starts. Every other command line, "--help" among other words included, runs
// the clock, which looks at it whole for "/autostart" and "/debugskin".
// arguments: the program's arguments without its own name.
std::optional<std::string> CommandLineAnswer(const std::vector<std::string>& arguments);

// Writes the answer to out. A write that fails (a full disk, a closed pipe)
// is reported on err and answered false: the caller must not exit with success.
bool WriteAnswer(const std::string& answer, std::FILE* out, std::FILE* err);

}  // namespace vesperon
