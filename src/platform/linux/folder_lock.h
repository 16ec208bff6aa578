#pragma once

#include <QString>

namespace vesperon {

// An exclusive flock on a folder: one writer of the files in it at a time,
// across processes. The kernel drops it if the holder dies.
class FolderLock {
 public:
  enum class Wait { AWhile, No };

  // Held() tells whether it was had: at once, or within two seconds.
  explicit FolderLock(const QString& folder, Wait wait = Wait::AWhile);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Makes a rename inside the folder durable.
  void SyncFolder() const;

 private:
  int fd_;
};

}  // namespace vesperon
