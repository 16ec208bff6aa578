#pragma once

#include <set>
#include <string>
#include <vector>

#include "ports/environment.h"

namespace vesperon {

// The program's view of itself, set by the test: its argument text, whether
// another copy runs, its file, and which files exist as visible plain files;
// what it asked the running copy, and the handler it answers later starts
// with.
class FakeEnvironment : public Environment {
 public:
  std::string ArgumentText() override { return argumentText; }
  bool PrevInstance() override { return prevInstance; }
  std::string ProgramFilePath() override { return programFilePath; }
  bool VisibleFileExists(const std::string& path) override;
  std::optional<std::string> AskRunningCopy(const std::string& request) override {
    asked.push_back(request);
    return std::nullopt;
  }
  void AnswerLaterStarts(RequestHandler answer) override { answerLaterStarts = std::move(answer); }

  std::string argumentText;
  bool prevInstance = false;
  std::string programFilePath = "/opt/vesperon/vesperon";
  std::set<std::string> visibleFiles;
  std::vector<std::string> asked;
  RequestHandler answerLaterStarts;
};

}  // namespace vesperon
