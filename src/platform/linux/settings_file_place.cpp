#include "platform/linux/settings_file_place.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

namespace vesperon {

namespace {
// As many links as the kernel itself follows before it gives up.
constexpr int kMostLinks = 40;
}  // namespace

SettingsFilePlace LocateSettingsFile(const QString& file) {
  QString path = QFileInfo(file).absoluteFilePath();
  for (int links = 0; QFileInfo(path).isSymLink(); ++links) {
    if (links == kMostLinks) return {path, QStringLiteral("it is a loop of symbolic links")};
    path = QFileInfo(path).symLinkTarget();
  }
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode)) {
    return {path, {}};
  }
  const QString what = S_ISDIR(info.st_mode)    ? QStringLiteral("a folder")
                       : S_ISFIFO(info.st_mode) ? QStringLiteral("a FIFO")
                       : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)
                           ? QStringLiteral("a device")
                           : QStringLiteral("not a regular file");
  return {path, path == QFileInfo(file).absoluteFilePath() ? QStringLiteral("it is ") + what
                                                           : path + QStringLiteral(" is ") + what};
}

}  // namespace vesperon
