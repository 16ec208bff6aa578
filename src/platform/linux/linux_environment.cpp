#include "platform/linux/linux_environment.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/linux/detached_start.h"

namespace vesperon {

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLookEvery{50};

void Warn(const char* problem, const QByteArray& path, const char* reason) {
  std::fprintf(stderr, "vesperon: %s %s (%s); starting without the single-copy check\n", problem,
               path.constData(), reason);
}

// The program file that runs, without Qt's application object.
std::string OwnFile() {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

LinuxEnvironment::LinuxEnvironment(QStringList arguments, QString lockFolder)
    : arguments_(std::move(arguments)), lockFolder_(std::move(lockFolder)) {}

LinuxEnvironment::~LinuxEnvironment() {
  // The socket goes while the lock still says whose it is.
  socket_.reset();
  if (lockFd_ >= 0) ::close(lockFd_);
}

QString LinuxEnvironment::DefaultLockFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (QDir::isAbsolutePath(runtime)) return runtime;
  return QDir::tempPath() + QStringLiteral("/vesperon-") + QString::number(::geteuid());
}

std::string LinuxEnvironment::ArgumentText() { return arguments_.join(u' ').toStdString(); }

bool LinuxEnvironment::PrevInstance() {
  if (!prevInstance_) prevInstance_ = LockHeldElsewhere();
  return *prevInstance_;
}

// Any doubt about the lock lets the program start: refusing to start on a
// lock we cannot trust would be worse than a second clock.
bool LinuxEnvironment::LockHeldElsewhere() {
  const QByteArray folder = QFile::encodeName(lockFolder_);
  if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
    Warn("cannot create the lock folder", folder, std::strerror(errno));
    return false;
  }
  // The temporary folder is shared: a folder someone else made there, or one
  // others may write to, could hold a lock that is not ours.
  struct stat info {};
  if (::lstat(folder.constData(), &info) != 0) {
    Warn("cannot examine the lock folder", folder, std::strerror(errno));
    return false;
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid() ||
      (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    Warn("not using the lock folder", folder, "not a private folder of this user");
    return false;
  }

  const QByteArray path = LockPath();
  const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    Warn("cannot open the lock file", path, std::strerror(errno));
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    if (!held) Warn("cannot lock", path, std::strerror(errno));
    ::close(fd);
    return held;
  }
  lockFd_ = fd;
  return false;
}

QByteArray LinuxEnvironment::LockPath() const {
  return QFile::encodeName(lockFolder_) + "/vesperon.lock";
}

QByteArray LinuxEnvironment::SocketPath() const {
  return QFile::encodeName(lockFolder_) + "/vesperon.socket";
}

std::optional<std::string> LinuxEnvironment::AskRunningCopy(const std::string& request,
                                                            std::chrono::milliseconds deadline) {
  // The copy that holds the lock would only be talking to itself.
  if (lockFd_ >= 0) return std::nullopt;
  return InstanceSocket::Ask(SocketPath(), request, deadline);
}

void LinuxEnvironment::AnswerLaterStarts(RequestHandler answer) {
  if (lockFd_ < 0 || socket_) return;
  socket_ = std::make_unique<InstanceSocket>(SocketPath(), std::move(answer));
}

bool LinuxEnvironment::StartHiddenCopy() {
  // Without the lock (a lock folder that is not the user's alone) a copy
  // started would not be found again, and each command would start one more.
  if (lockFd_ < 0) return false;
  // The copy takes the lock itself; until it does, another start may.
  ::close(lockFd_);
  lockFd_ = -1;
  prevInstance_ = true;
  const std::string program = OwnFile();
  const pid_t copy = program.empty() ? -1 : StartDetached(program, {"/autostart"});
  if (copy < 0) return false;
  const SteadyClock::time_point end = SteadyClock::now() + kHiddenStartDeadline;
  while (SteadyClock::now() < end) {
    if (::waitpid(copy, nullptr, WNOHANG) == copy) {
      // Ended: it could not start (no display), or another copy took the
      // lock first and may be about to listen.
      return InstanceSocket::Reachable(SocketPath(), kRequestDeadline);
    }
    if (InstanceSocket::Reachable(SocketPath(), std::chrono::milliseconds(0))) return true;
    std::this_thread::sleep_for(kLookEvery);
  }
  return false;
}

bool LinuxEnvironment::WaitUntilNoCopyRuns() {
  const SteadyClock::time_point end = SteadyClock::now() + kEndDeadline;
  for (;;) {
    const int fd = ::open(LockPath().constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return errno == ENOENT;
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    if (free) return true;
    if (SteadyClock::now() >= end) return false;
    std::this_thread::sleep_for(kLookEvery);
  }
}

std::string LinuxEnvironment::ProgramFilePath() {
  return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

bool LinuxEnvironment::VisibleFileExists(const std::string& path) {
  // Hidden on this system means a name beginning with a dot.
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  if (nameStart >= path.size() || path[nameStart] == '.') return false;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace vesperon
