#pragma once

#include <QString>

namespace vesperon {

// The work files of one save of a settings file: hidden, beside it, named
// after it and after the save (".Vesperon.ini.<id>.new" and ".check"; the
// INI writer adds ".new.lock" while it writes). Removed when the save ends,
// whatever happens, unless the process itself is killed.
struct SaveWorkFiles {
  explicit SaveWorkFiles(const QString& path);
  ~SaveWorkFiles();
  SaveWorkFiles(const SaveWorkFiles&) = delete;
  SaveWorkFiles& operator=(const SaveWorkFiles&) = delete;

  QString scratch;
  QString check;
};

// Removes the work files that saves of the file at path left behind when
// they were killed halfway. A save holds the folder's lock while it runs, so
// files found while the lock is held here belong to no running save; when
// another process holds it, nothing is touched.
void RemoveWorkFilesOfEndedSaves(const QString& path);

}  // namespace vesperon
