#include "platform/linux/save_work_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

#include "platform/linux/folder_lock.h"

namespace vesperon {

namespace {

QString Prefix(const QString& path) {
  const QFileInfo info(path);
  return info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'.';
}

}  // namespace

// Fresh names each time: QSettings shares what it parsed per file name.
SaveWorkFiles::SaveWorkFiles(const QString& path) {
  const QString work = Prefix(path) + QUuid::createUuid().toString(QUuid::Id128);
  scratch = work + QStringLiteral(".new");
  check = work + QStringLiteral(".check");
}

SaveWorkFiles::~SaveWorkFiles() {
  QFile::remove(scratch);
  QFile::remove(check);
}

void RemoveWorkFilesOfEndedSaves(const QString& path) {
  const QFileInfo info(path);
  const QDir folder(info.absolutePath());
  if (!folder.exists()) return;
  const FolderLock lock(folder.path(), FolderLock::Wait::No);
  if (!lock.Held()) return;
  const QRegularExpression workFile(QStringLiteral("^\\.") +
                                    QRegularExpression::escape(info.fileName()) +
                                    QStringLiteral("\\.[0-9a-f]{32}\\..+$"));
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (workFile.match(name).hasMatch()) QFile::remove(folder.filePath(name));
  }
}

}  // namespace vesperon
