#pragma once

#include <set>
#include <string>

#include "ports/environment.h"

namespace vesperon {

// The program's view of itself, set by the test: its argument text, whether
// another copy runs, its file, and which files exist as visible plain files.
class FakeEnvironment : public Environment {
 public:
  std::string ArgumentText() override { return argumentText; }
  bool PrevInstance() override { return prevInstance; }
  std::string ProgramFilePath() override { return programFilePath; }
  bool VisibleFileExists(const std::string& path) override;

  std::string argumentText;
  bool prevInstance = false;
  std::string programFilePath = "/opt/vesperon/vesperon";
  std::set<std::string> visibleFiles;
};

}  // namespace vesperon
