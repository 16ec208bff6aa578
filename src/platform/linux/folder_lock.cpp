#include "platform/linux/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cerrno>

namespace vesperon {

namespace {
constexpr int kLockWaitMs = 2000;
}  // namespace

FolderLock::FolderLock(const QString& folder, Wait wait)
    : fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  const QDeadlineTimer deadline(wait == Wait::AWhile ? kLockWaitMs : 0);
  while (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if ((errno == EWOULDBLOCK || errno == EINTR) && !deadline.hasExpired()) {
      QThread::msleep(2);
      continue;
    }
    ::close(fd_);
    fd_ = -1;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

void FolderLock::SyncFolder() const { ::fsync(fd_); }

}  // namespace vesperon
