#pragma once

#include <QSet>
#include <QString>
#include <string>

#include "platform/linux/settings_file_place.h"
#include "ports/settings_store.h"

namespace vesperon {

// The per-user settings as an INI file, <config home>/<app>/<app>.ini, in
// QSettings' format. Each call opens the file afresh and each write is saved
// at once, one writer at a time across processes, by replacing the file whole
// with a copy that was read back complete: another process's write is seen by
// the next read, two writers of different keys keep each other's keys, and a
// write that fails (a full disk) leaves the earlier file as it was. A file
// that cannot be read whole is kept aside and replaced by a sound one; a link
// is followed to the file it names, which must be a regular file.
class QSettingsStore : public SettingsStore {
 public:
  // The user's own store by default; tests pass a temporary home.
  explicit QSettingsStore(QString configHome = UserConfigHome());

  // $XDG_CONFIG_HOME, or ~/.config, as it is at the moment of the call.
  static QString UserConfigHome();

  QString FilePath(const std::string& app) const;

  std::string Read(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& defaultValue) override;
  bool Write(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

 private:
  // The file of app as it is read and replaced. The first time for each
  // file, the work files of killed saves are removed, or, when the file
  // must not be used, standard error says why.
  SettingsFilePlace Locate(const std::string& app);

  QString configHome_;
  QSet<QString> located_;
};

}  // namespace vesperon
