#pragma once

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
};

}  // namespace vesperon
