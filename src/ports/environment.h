#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vesperon {

// What the program knows about itself and the files around it.
class Environment {
 public:
  virtual ~Environment() = default;
  // The program's arguments, without its own name, joined by single blanks.
  virtual std::string ArgumentText() = 0;
  // True when another copy of the program already runs for this user.
  virtual bool PrevInstance() = 0;
  // The program file's full path, as the start-with-the-session entry names it.
  virtual std::string ProgramFilePath() = 0;
  // A plain file (not hidden, not a system file) exists at path.
  virtual bool VisibleFileExists(const std::string& path) = 0;

  // The channel beside the single-copy lock, one line each way (see
  // app/instance_request.h). From a start that found another copy running:
  // hands it the request and returns its answer, or nothing when none came
  // in time (no copy listening, or one too busy). Never waits much longer
  // than kRequestDeadline.
  virtual std::optional<std::string> AskRunningCopy(const std::string& request) = 0;
  // From the copy that holds the lock, once it runs: each request of a
  // later start goes to `answer` on the event loop, and what it returns goes
  // back. Without the lock, nothing.
  using RequestHandler = std::function<std::string(const std::string& request)>;
  virtual void AnswerLaterStarts(RequestHandler answer) = 0;
};

}  // namespace vesperon
