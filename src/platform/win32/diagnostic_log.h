#pragma once

#include <filesystem>
#include <string>

#include "ports/diagnostics.h"

namespace vesperon {

// Lines for whoever looks into what the program did: on standard error when
// the program has one, else at the end of a log file. A program started from
// the desktop has no console, and its standard error leads nowhere.
class DiagnosticLog : public Diagnostics {
 public:
  explicit DiagnosticLog(std::filesystem::path logFile = DefaultLogFile());

  // %APPDATA%\Vesperon\vesperon.log: the user's own, beside where a Windows
  // program keeps the files of its settings. Empty when there is no such folder.
  static std::filesystem::path DefaultLogFile();

  // One line, without its end; the log file also gets the local time.
  void Report(const std::string& line) override;

 private:
  bool WriteStandardError(const std::string& line);
  void AppendToLogFile(const std::string& line);

  std::filesystem::path logFile_;
};

}  // namespace vesperon
