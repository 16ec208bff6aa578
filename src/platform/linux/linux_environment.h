#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/instance_socket.h"
#include "ports/environment.h"

namespace vesperon {

// The running program: its arguments, its file, and the per-user lock that
// keeps it to one copy. The lock is an flock on a file in the user's runtime
// folder, held until this object (the process) ends; the kernel drops it when
// the process dies however it dies, so a crash never blocks the next start.
// Beside it, the holder listens for later starts (InstanceSocket).
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
  std::optional<std::string> AskRunningCopy(const std::string& request,
                                            std::chrono::milliseconds deadline) override;
  void AnswerLaterStarts(RequestHandler answer) override;
  // Detached with StartDetached, from the program file /proc/self/exe names.
  bool StartHiddenCopy() override;
  // Until the lock can be had, taking it for no longer than the look.
  bool WaitUntilNoCopyRuns() override;

 private:
  bool LockHeldElsewhere();
  QByteArray LockPath() const;
  QByteArray SocketPath() const;

  QStringList arguments_;
  QString lockFolder_;
  std::optional<bool> prevInstance_;
  int lockFd_ = -1;
  std::unique_ptr<InstanceSocket> socket_;
};

}  // namespace vesperon
