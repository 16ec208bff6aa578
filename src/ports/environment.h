#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace vesperon {

// How long a start waits for a copy it started to listen, and for a copy
// asked to end to be gone. A first start may have to load a skin and find
// its desktop; an emulated system takes far longer than a native one.
inline constexpr std::chrono::seconds kHiddenStartDeadline{30};
inline constexpr std::chrono::seconds kEndDeadline{10};
// How long a command line's request may take. The clock carries it out on
// its event loop, which a melody or a slow desktop may hold up for seconds
// (an emulated one with no tray takes two for each tray call), and a copy
// that holds the lock may still be starting.
inline constexpr std::chrono::seconds kCommandDeadline{10};

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
  // common/instance_request.h). From a start that found another copy running:
  // hands it the request and returns its answer, or nothing when none came
  // within `deadline` (no copy listening, or one too busy). A plain second
  // start waits kRequestDeadline; a command line's request kCommandDeadline.
  virtual std::optional<std::string> AskRunningCopy(const std::string& request,
                                                    std::chrono::milliseconds deadline) = 0;
  // From the copy that holds the lock, once it runs: each request of a
  // later start goes to `answer` on the event loop, and what it returns goes
  // back. Without the lock, nothing.
  using RequestHandler = std::function<std::string(const std::string& request)>;
  virtual void AnswerLaterStarts(RequestHandler answer) = 0;

  // From a start that took the lock, having found no copy running, to carry
  // out a command line: lets the lock go and starts the program again as the
  // session does, with "/autostart" (hidden in the tray), detached from this
  // one: no terminal, no standard streams of ours, nothing that waits for
  // it, so that this start can end with its answer while the clock runs on.
  // Returns once a copy listens for later starts (that one, or another
  // started meanwhile); false when none does within kHiddenStartDeadline,
  // when the copy started ended first, and, starting none, when this start
  // could not take the lock.
  virtual bool StartHiddenCopy() = 0;
  // After the running copy was asked to end: true once no copy runs any
  // more, false when one still runs after kEndDeadline.
  virtual bool WaitUntilNoCopyRuns() = 0;
};

}  // namespace vesperon
