#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "ports/environment.h"

namespace vesperon {

// The running program: its arguments, its file, and the per-user lock that
// keeps it to one copy. The lock is an flock on a file in the user's runtime
// folder, held until this object (the process) ends; the kernel drops it when
// the process dies however it dies, so a crash never blocks the next start.
class LinuxEnvironment : public Environment {
 public:
  // arguments: the program's arguments without its own name.
  explicit LinuxEnvironment(QStringList arguments, QString lockFolder = DefaultLockFolder());
  ~LinuxEnvironment() override;
  LinuxEnvironment(const LinuxEnvironment&) = delete;
  LinuxEnvironment& operator=(const LinuxEnvironment&) = delete;

  // $XDG_RUNTIME_DIR, or a private folder of this user in the temporary folder.
  static QString DefaultLockFolder();

  std::string ArgumentText() override;
  // Takes the lock on the first call and answers the same afterwards.
  bool PrevInstance() override;
  std::string ProgramFilePath() override;
  bool VisibleFileExists(const std::string& path) override;

 private:
  bool LockHeldElsewhere();

  QStringList arguments_;
  QString lockFolder_;
  std::optional<bool> prevInstance_;
  int lockFd_ = -1;
};

}  // namespace vesperon
