#pragma once

#include <QString>

namespace vesperon {

// Where the settings file really lies, and whether it may be used.
struct SettingsFilePlace {
  QString path;     // the file to read and to replace; it need not exist yet
  QString refusal;  // why it must be neither read nor written; empty when it may
};

// Follows a symbolic link, or a chain of them, to the file it names, so that
// a file shared from another folder stays shared. What is found there must
// be a regular file, or nothing yet: a device, a FIFO or a folder is never
// replaced (as root that could be the system's own /dev/null), nor read (a
// FIFO would keep the reader waiting).
SettingsFilePlace LocateSettingsFile(const QString& file);

}  // namespace vesperon
