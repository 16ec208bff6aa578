#include "platform/linux/qsettings_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <QUuid>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <utility>

namespace vesperon {

namespace {

constexpr int kLockWaitMs = 2000;

QString SettingsKey(const std::string& section, const std::string& key) {
  return QString::fromStdString(section) + u'/' + QString::fromStdString(key);
}

// Valid UTF-8 goes in as text, so the file stays readable (Horas=7, accents
// as they are). Other bytes would not survive the trip through QString; they
// go in as a byte array, which QSettings writes escaped and gives back whole.
QVariant ToVariant(const std::string& value) {
  const QByteArray bytes = QByteArray::fromStdString(value);
  const QString text = QString::fromUtf8(bytes);
  if (text.toUtf8() == bytes) return text;
  return bytes;
}

std::string FromVariant(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::QByteArray:
      return value.toByteArray().toStdString();
    case QMetaType::QStringList:
      // Only a hand-edited file has these (an unquoted comma); keep the text.
      return value.toStringList().join(u',').toStdString();
    default:
      return value.toString().toStdString();
  }
}

QMap<QString, QVariant> AllValues(const QSettings& settings) {
  QMap<QString, QVariant> values;
  for (const QString& key : settings.allKeys()) values.insert(key, settings.value(key));
  return values;
}

// An exclusive flock on the settings folder: one writer at a time, across
// processes. The kernel drops it if the holder dies.
class FolderLock {
 public:
  explicit FolderLock(const QString& folder)
      : fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    const QDeadlineTimer deadline(kLockWaitMs);
    while (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
      if ((errno == EWOULDBLOCK || errno == EINTR) && !deadline.hasExpired()) {
        QThread::msleep(2);
        continue;
      }
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool Held() const { return fd_ >= 0; }
  // Makes a rename inside the folder durable.
  void SyncFolder() const { ::fsync(fd_); }

 private:
  int fd_;
};

// Work files of one write, removed whatever happens.
struct WorkFiles {
  QString scratch;
  QString check;
  ~WorkFiles() {
    QFile::remove(scratch);
    QFile::remove(check);
  }
};

// The current file's bytes into a new file, or an empty new file when there
// is none yet.
bool CopyCurrent(const QString& from, const QString& to) {
  QFile out(to);
  if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  QFile in(from);
  if (in.exists()) {
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || out.write(bytes) != bytes.size()) return false;
    out.setPermissions(in.permissions());
  }
  return out.flush();
}

qint64 ModifiedMs(const QByteArray& path) {
  struct stat info {};
  if (::stat(path.constData(), &info) != 0) return -1;
  return qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

// Readers tell versions apart by size and modification time in
// milliseconds, while the kernel stamps files with a clock that may not move
// for several milliseconds: each version is made later than the one it
// replaces.
void MakeNewerThan(const QByteArray& path, const QByteArray& current) {
  const qint64 previous = ModifiedMs(current);
  if (previous < 0 || ModifiedMs(path) > previous) return;
  const qint64 next = previous + 1;
  const timespec times[2] = {{0, UTIME_OMIT}, {time_t(next / 1000), long(next % 1000) * 1000000}};
  ::utimensat(AT_FDCWD, path.constData(), times, 0);
}

// QSettings does the format; the commit is ours. QSettings saves through
// QSaveFile, which in Qt 6.4 loses a write error that shows only when its
// buffer is flushed at commit, and then puts a truncated file in place (a
// full disk does that). So QSettings writes a scratch copy, the copy is read
// back whole and compared, and only then renamed over the file. Returns what
// went wrong, or nothing.
QString Save(const QString& file, const QString& key, const QVariant& value) {
  const QFileInfo info(file);
  // Through a symbolic link to the file it names, keeping the link.
  const QString path = info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath();
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) return QStringLiteral("cannot create the folder");
  const FolderLock lock(folder);
  if (!lock.Held()) return QStringLiteral("cannot lock the folder");

  // Fresh names each time: QSettings shares what it parsed per file name.
  const QString work = folder + QStringLiteral("/.") + QFileInfo(path).fileName() + u'.' +
                       QUuid::createUuid().toString(QUuid::Id128);
  const WorkFiles files{work + QStringLiteral(".new"), work + QStringLiteral(".check")};
  if (!CopyCurrent(path, files.scratch)) return QStringLiteral("cannot copy the file");

  QMap<QString, QVariant> expected;
  {
    QSettings writer(files.scratch, QSettings::IniFormat);
    writer.setValue(key, value);
    writer.sync();
    if (writer.status() == QSettings::AccessError) return QStringLiteral("cannot write");
    expected = AllValues(writer);
  }
  const QByteArray check = QFile::encodeName(files.check);
  if (::rename(QFile::encodeName(files.scratch).constData(), check.constData()) != 0) {
    return QStringLiteral("cannot rename the new file");
  }
  if (AllValues(QSettings(files.check, QSettings::IniFormat)) != expected) {
    return QStringLiteral("the new file came out incomplete");
  }

  const QByteArray target = QFile::encodeName(path);
  MakeNewerThan(check, target);
  if (::rename(check.constData(), target.constData()) != 0) {
    return QStringLiteral("cannot replace the file");
  }
  lock.SyncFolder();
  return {};
}

}  // namespace

QSettingsStore::QSettingsStore(QString configHome) : configHome_(std::move(configHome)) {}

QString QSettingsStore::UserConfigHome() {
  // Not QSettings' own user path: it is fixed at the first QSettings of the
  // process, and it falls back to other files (/etc/xdg) for absent keys.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QSettingsStore::FilePath(const std::string& app) const {
  const QString name = QString::fromStdString(app);
  return configHome_ + u'/' + name + u'/' + name + QStringLiteral(".ini");
}

std::string QSettingsStore::Read(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) {
  // QSettings rereads the file whenever its size or time has changed.
  const QSettings settings(FilePath(app), QSettings::IniFormat);
  const QVariant value = settings.value(SettingsKey(section, key));
  if (!value.isValid()) return defaultValue;
  return FromVariant(value);
}

bool QSettingsStore::Write(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) {
  const QString file = FilePath(app);
  // A value that is already stored as it stands needs no new file: the start
  // rewrites settings that rarely change, and a save costs a flush to disk.
  {
    const QSettings current(file, QSettings::IniFormat);
    const QVariant stored = current.value(SettingsKey(section, key));
    if (stored.isValid() && FromVariant(stored) == value) return true;
  }
  const QString problem = Save(file, SettingsKey(section, key), ToVariant(value));
  if (problem.isEmpty()) return true;
  std::fprintf(stderr, "vesperon: could not save %s/%s in %s (%s); the file keeps its old values\n",
               section.c_str(), key.c_str(), qPrintable(file), qPrintable(problem));
  return false;
}

}  // namespace vesperon
