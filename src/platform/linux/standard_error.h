#pragma once

#include "ports/diagnostics.h"

namespace vesperon {

// Diagnostic lines on standard error, where a Linux program's go.
class StandardError : public Diagnostics {
 public:
  void Report(const std::string& line) override;
};

}  // namespace vesperon
