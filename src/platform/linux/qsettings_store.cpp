#include "platform/linux/qsettings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

#include "platform/linux/folder_lock.h"
#include "platform/linux/save_work_files.h"

namespace vesperon {

namespace {

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

// What the current file holds: its bytes, and whether they could all be
// read (a bad sector may stop the read halfway).
struct CurrentFile {
  QByteArray bytes;
  bool readWhole = true;
  QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
};

CurrentFile ReadCurrent(const QString& path) {
  CurrentFile current;
  QFile in(path);
  if (!in.exists()) return current;
  current.permissions = in.permissions();
  if (!in.open(QIODevice::ReadOnly)) {
    current.readWhole = false;
    return current;
  }
  current.bytes = in.readAll();
  current.readWhole = in.error() == QFileDevice::NoError;
  return current;
}

bool WriteNewFile(const QString& path, const QByteArray& bytes,
                  QFileDevice::Permissions permissions) {
  QFile out(path);
  if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  out.setPermissions(permissions);
  return out.write(bytes) == bytes.size() && out.flush();
}

// Only keys named as the program names them are carried out of a damaged
// file; garbage can look like a section and a key to the INI reader.
QMap<QString, QVariant> PlainValues(const QMap<QString, QVariant>& all) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_.-]+/[A-Za-z0-9_.-]+$"));
  QMap<QString, QVariant> values;
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (plain.match(it.key()).hasMatch()) values.insert(it.key(), it.value());
  }
  return values;
}

// A copy of a damaged file beside it, Vesperon.ini.damaged-<date>: a second
// name for the same bytes where the file system allows it, which needs no
// reading. Returns its path, or nothing when no copy could be made.
QString KeepDamagedCopy(const QString& path, const CurrentFile& current) {
  const QString base = path + QStringLiteral(".damaged-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (int n = 0; n < 10; ++n) {
    const QString copy = n == 0 ? base : base + u'-' + QString::number(n);
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(copy).constData()) == 0)
      return copy;
    if (errno == EEXIST) continue;
    if (current.readWhole && WriteNewFile(copy, current.bytes, current.permissions)) return copy;
    if (QFileInfo::exists(copy)) continue;
    return {};
  }
  return {};
}

// Writes values into the scratch file with QSettings, and gives back all
// that the file should now hold.
QString WriteValues(const QString& scratch, const QMap<QString, QVariant>& values,
                    QMap<QString, QVariant>& expected) {
  QSettings writer(scratch, QSettings::IniFormat);
  for (auto it = values.begin(); it != values.end(); ++it) writer.setValue(it.key(), it.value());
  writer.sync();
  if (writer.status() != QSettings::NoError) return QStringLiteral("cannot write");
  expected = AllValues(writer);
  return {};
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
// back whole and compared, and only then renamed over the file. A current
// file that cannot be read whole would fail that check for ever: it is kept
// aside, and what can be read of it goes on in a new file. Returns what went
// wrong, or nothing.
QString Save(const QString& path, const QString& key, const QVariant& value) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder)) return QStringLiteral("cannot create the folder");
  const FolderLock lock(folder);
  if (!lock.Held()) return QStringLiteral("cannot lock the folder");

  const CurrentFile current = ReadCurrent(path);
  const SaveWorkFiles copy(path);
  if (!WriteNewFile(copy.scratch, current.bytes, current.permissions))
    return QStringLiteral("cannot copy the file");
  QMap<QString, QVariant> values;
  bool damaged = !current.readWhole;
  {
    // The scratch copy has a name never parsed before, so this is a true
    // reading; QSettings reads at the first question, and only then knows.
    const QSettings parsed(copy.scratch, QSettings::IniFormat);
    const QMap<QString, QVariant> found = AllValues(parsed);
    damaged = damaged || parsed.status() == QSettings::FormatError;
    if (damaged) values = PlainValues(found);
  }
  values.insert(key, value);

  // A damaged file is not worked on: a new one starts empty.
  std::optional<SaveWorkFiles> rebuilt;
  if (damaged) {
    rebuilt.emplace(path);
    if (!WriteNewFile(rebuilt->scratch, {}, current.permissions))
      return QStringLiteral("cannot create a new file");
  }
  const SaveWorkFiles& files = rebuilt ? *rebuilt : copy;

  QMap<QString, QVariant> expected;
  if (const QString problem = WriteValues(files.scratch, values, expected); !problem.isEmpty())
    return problem;
  const QByteArray check = QFile::encodeName(files.check);
  if (::rename(QFile::encodeName(files.scratch).constData(), check.constData()) != 0) {
    return QStringLiteral("cannot rename the new file");
  }
  if (AllValues(QSettings(files.check, QSettings::IniFormat)) != expected) {
    return QStringLiteral("the new file came out incomplete");
  }

  QString kept;
  if (damaged) {
    kept = KeepDamagedCopy(path, current);
    if (kept.isEmpty()) return QStringLiteral("it is damaged, and no copy of it could be kept");
  }
  const QByteArray target = QFile::encodeName(path);
  MakeNewerThan(check, target);
  if (::rename(check.constData(), target.constData()) != 0) {
    return QStringLiteral("cannot replace the file");
  }
  lock.SyncFolder();
  if (damaged) {
    std::fprintf(stderr,
                 "vesperon: %s could not be read whole; it is kept as %s, and a new file holds "
                 "what could be read of it\n",
                 qPrintable(path), qPrintable(kept));
  }
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

SettingsFilePlace QSettingsStore::Locate(const std::string& app) {
  const QString file = FilePath(app);
  SettingsFilePlace place = LocateSettingsFile(file);
  if (!located_.contains(file)) {
    located_.insert(file);
    if (!place.refusal.isEmpty()) {
      std::fprintf(stderr,
                   "vesperon: the settings file %s is neither read nor written: %s; the program "
                   "runs with its defaults and saves nothing\n",
                   qPrintable(file), qPrintable(place.refusal));
    } else {
      RemoveWorkFilesOfEndedSaves(place.path);
    }
  }
  return place;
}

std::string QSettingsStore::Read(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) {
  const SettingsFilePlace place = Locate(app);
  if (!place.refusal.isEmpty()) return defaultValue;
  // QSettings rereads the file whenever its size or time has changed.
  const QSettings settings(place.path, QSettings::IniFormat);
  const QVariant value = settings.value(SettingsKey(section, key));
  if (!value.isValid()) return defaultValue;
  return FromVariant(value);
}

bool QSettingsStore::Write(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) {
  const SettingsFilePlace place = Locate(app);
  if (!place.refusal.isEmpty()) return false;  // said once already
  // A value that is already stored as it stands needs no new file: the start
  // rewrites settings that rarely change, and a save costs a flush to disk.
  {
    const QSettings current(place.path, QSettings::IniFormat);
    const QVariant stored = current.value(SettingsKey(section, key));
    if (stored.isValid() && FromVariant(stored) == value) return true;
  }
  const QString problem = Save(place.path, SettingsKey(section, key), ToVariant(value));
  if (problem.isEmpty()) return true;
  std::fprintf(stderr, "vesperon: could not save %s/%s in %s (%s); the file keeps its old values\n",
               section.c_str(), key.c_str(), qPrintable(place.path), qPrintable(problem));
  return false;
}

}  // namespace vesperon
