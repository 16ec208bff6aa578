#include "fake_environment.h"

namespace vesperon {

bool FakeEnvironment::VisibleFileExists(const std::string& path) {
  return visibleFiles.contains(path);
}

}  // namespace vesperon
