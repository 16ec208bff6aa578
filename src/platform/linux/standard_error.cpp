#include "platform/linux/standard_error.h"

#include <cstdio>

namespace vesperon {

void StandardError::Report(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

}  // namespace vesperon
