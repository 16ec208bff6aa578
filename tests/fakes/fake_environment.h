#pragma once

#include <set>
#include <string>
#include <vector>

#include "ports/environment.h"

namespace vesperon {

// The program's view of itself, set by the test: its argument text, whether
// another copy runs, its file, and which files exist as visible plain files;
// what it asked the running copy, and the handler it answers later starts
// with; the hidden starts and the waits for a copy's end.
class FakeEnvironment : public Environment {
 public:
  std::string ArgumentText() override { return argumentText; }
  bool PrevInstance() override { return prevInstance; }
  std::string ProgramFilePath() override { return programFilePath; }
  bool VisibleFileExists(const std::string& path) override;
  std::optional<std::string> AskRunningCopy(const std::string& request,
                                            std::chrono::milliseconds) override {
    asked.push_back(request);
    if (runningCopy) return runningCopy(request);
    return std::nullopt;
  }
  void AnswerLaterStarts(RequestHandler answer) override { answerLaterStarts = std::move(answer); }
  bool StartHiddenCopy() override {
    ++hiddenStarts;
    return hiddenCopyListens;
  }
  bool WaitUntilNoCopyRuns() override {
    ++endWaits;
    return true;
  }

  std::string argumentText;
  bool prevInstance = false;
  std::string programFilePath = "/opt/vesperon/vesperon";
  std::set<std::string> visibleFiles;
  std::vector<std::string> asked;
  RequestHandler answerLaterStarts;
  // What the running copy answers; without it, no answer comes.
  RequestHandler runningCopy;
  // Hidden starts asked for, and whether the copy so started listens.
  int hiddenStarts = 0;
  bool hiddenCopyListens = true;
  int endWaits = 0;
};

}  // namespace vesperon
