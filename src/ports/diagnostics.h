#pragma once

#include <string>

namespace vesperon {

// Lines for whoever looks into what the program did (nothing the user is
// told: that goes to the message line and the notices). Where they go is
// the system's affair: standard error on Linux, the log file on Windows,
// whose programs started from the desktop have no standard error.
class Diagnostics {
 public:
  virtual ~Diagnostics() = default;
  // One line, without its end.
  virtual void Report(const std::string& line) = 0;
};

}  // namespace vesperon
