#include "platform/linux/qsettings_store.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "env_guard.h"
#include "file_bytes.h"
#include "forked_child.h"
#include "settings_store_contract.h"
#include "stderr_capture.h"

namespace vesperon {
namespace {

class QSettingsStoreTest : public ::testing::Test {
 protected:
  QString Path() const { return store.FilePath("Vesperon"); }

  // What another program starting now would read: QSettings shares what it
  // parsed within a process, so the file is read through a copy at a path
  // this process has never opened.
  std::string ReadFromDisk(const std::string& section, const std::string& key,
                           const std::string& defaultValue = "<absent>") {
    auto copy = std::make_unique<QTemporaryDir>();
    QDir().mkpath(copy->filePath("Vesperon"));
    QFile::copy(Path(), copy->filePath("Vesperon/Vesperon.ini"));
    QSettingsStore fresh(copy->path());
    copies_.push_back(std::move(copy));
    return fresh.Read("Vesperon", section, key, defaultValue);
  }

  QTemporaryDir home;
  QSettingsStore store{home.path()};

 private:
  std::vector<std::unique_ptr<QTemporaryDir>> copies_;
};

TEST_F(QSettingsStoreTest, TheUserFileFollowsXdgConfigHomeAsItIsNow) {
  QTemporaryDir first, second;
  {
    EnvGuard xdg("XDG_CONFIG_HOME", first.path().toLocal8Bit());
    EXPECT_EQ(QSettingsStore::UserConfigHome(), first.path());
  }
  {
    EnvGuard xdg("XDG_CONFIG_HOME", second.path().toLocal8Bit());
    EXPECT_EQ(QSettingsStore(QSettingsStore::UserConfigHome()).FilePath("Vesperon"),
              second.path() + "/Vesperon/Vesperon.ini");
  }
  {
    EnvGuard xdg("XDG_CONFIG_HOME", std::nullopt);
    EnvGuard homeVar("HOME", first.path().toLocal8Bit());
    EXPECT_EQ(QSettingsStore::UserConfigHome(), first.path() + "/.config");
  }
}

TEST_F(QSettingsStoreTest, PlainValuesStayPlainAndReadableInTheFile) {
  store.Write("Vesperon", "Apagado", "Horas", "7");
  store.Write("Vesperon", "Window", "Skin", "Azul Señorial");
  store.Write("Vesperon", "Window", "xpos", "4305");
  store.Write("Vesperon", "Vesperon", "AutoStart", "1");

  const QByteArray text = FileBytes(home.filePath("Vesperon/Vesperon.ini"));
  EXPECT_TRUE(text.contains("[Apagado]\nHoras=7\n")) << text.constData();
  EXPECT_TRUE(text.contains("[Window]\n")) << text.constData();
  EXPECT_TRUE(text.contains("\nSkin=Azul Señorial\n")) << text.constData();
  EXPECT_TRUE(text.contains("\nxpos=4305\n")) << text.constData();
  EXPECT_TRUE(text.contains("[Vesperon]\nAutoStart=1\n")) << text.constData();
}

// The port's contract, with another program reading the file; reading
// alone creates nothing, and newlines never split a value: one line a key.
TEST_F(QSettingsStoreTest, KeepsTheSettingsStoreContractThroughTheFile) {
  EXPECT_EQ(store.Read("Vesperon", "Apagado", "Horas", "def"), "def");
  EXPECT_FALSE(QDir(home.filePath("Vesperon")).exists()) << "reading created the folder";
  contracts::ExpectAnAbsentKeyReadsAsTheDefault(store, "Vesperon");
  contracts::ExpectEveryTextRoundTrips(
      store, "Vesperon",
      [&](const std::string& section, const std::string& key, const std::string& defaultValue) {
        return ReadFromDisk(section, key, defaultValue);
      });

  const QList<QByteArray> lines = FileBytes(Path()).split('\n');
  const auto keyLines = std::count_if(lines.begin(), lines.end(),
                                      [](const QByteArray& line) { return line.startsWith('k'); });
  EXPECT_EQ(static_cast<std::size_t>(keyLines), contracts::AwkwardTexts().size());
}

// Bytes that are no UTF-8, a very long text and the section QSettings calls
// its own come back from the file too.
TEST_F(QSettingsStoreTest, TextsOfAnyBytesAndTheGeneralSectionRoundTripThroughTheFile) {
  const std::string texts[] = {"\xff\xfe not UTF-8 \xc3",
                               std::string(100000, 'x') + "\xe2\x82\xac"};
  for (const std::string& text : texts) {
    store.Write("Vesperon", "Pruebas", "k", text);
    EXPECT_EQ(ReadFromDisk("Pruebas", "k"), text);
  }
  store.Write("Vesperon", "General", "Horas", "general section");
  EXPECT_EQ(ReadFromDisk("General", "Horas"), "general section");
}

TEST_F(QSettingsStoreTest, AHandEditedCommaListReadsAsItsText) {
  QDir().mkpath(home.filePath("Vesperon"));
  QFile file(Path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Window]\nSkin=Azul,Verde\n");
  file.close();
  EXPECT_EQ(store.Read("Vesperon", "Window", "Skin", ""), "Azul,Verde");
}

TEST_F(QSettingsStoreTest, AnotherProcessWriteIsSeenByTheNextRead) {
  store.Write("Vesperon", "Apagado", "Horas", "7");
  ASSERT_EQ(store.Read("Vesperon", "Apagado", "Horas", ""), "7");

  ASSERT_EQ(RunInChild([&] {
              QSettingsStore(home.path()).Write("Vesperon", "Apagado", "Horas", "23");
              return 0;
            }),
            0);
  EXPECT_EQ(store.Read("Vesperon", "Apagado", "Horas", ""), "23");

  // And this process's next write keeps it.
  store.Write("Vesperon", "Apagado", "Minutos", "5");
  EXPECT_EQ(ReadFromDisk("Apagado", "Horas"), "23");
  EXPECT_EQ(ReadFromDisk("Apagado", "Minutos"), "5");
}

TEST_F(QSettingsStoreTest, QuickSameSizeRewritesAreAllSeenByAnotherProcess) {
  // A reader that has parsed the file already notices a new version by its
  // size and modification time; same-size versions written within one
  // millisecond of each other must still look different. A memory-backed
  // folder makes such quick writes likely.
  QTemporaryDir fast(QDir("/dev/shm").exists() ? "/dev/shm/vesperon-test-XXXXXX"
                                               : QDir::tempPath() + "/vesperon-test-XXXXXX");
  QSettingsStore reader(fast.path());
  constexpr int kVersions = 60;
  int written[2], readBack[2];
  ASSERT_EQ(pipe(written), 0);
  ASSERT_EQ(pipe(readBack), 0);
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    QSettingsStore writer(fast.path());
    char token = 0;
    for (int i = 0; i < kVersions; ++i) {
      writer.Write("Vesperon", "Apagado", "Horas", std::to_string(i % 10));
      if (write(written[1], &token, 1) != 1 || read(readBack[0], &token, 1) != 1) _exit(1);
    }
    _exit(0);
  }
  int stale = 0;
  char token = 0;
  for (int i = 0; i < kVersions; ++i) {
    ASSERT_EQ(read(written[0], &token, 1), 1);
    if (reader.Read("Vesperon", "Apagado", "Horas", "") != std::to_string(i % 10)) ++stale;
    ASSERT_EQ(write(readBack[1], &token, 1), 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  for (const int fd : {written[0], written[1], readBack[0], readBack[1]}) close(fd);
  EXPECT_EQ(stale, 0) << "reads that missed a newer version";
}

TEST_F(QSettingsStoreTest, TwoProcessesWritingAtOnceKeepEachOthersKeys) {
  store.Write("Vesperon", "Apagado", "Horas", "7");
  constexpr int kKeysEach = 12;
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (const char* prefix : {"a", "b"}) {
    const pid_t pid = fork();
    if (pid == 0) {
      QSettingsStore own(home.path());
      for (int i = 0; i < kKeysEach; ++i) {
        own.Write("Vesperon", "Window", prefix + std::to_string(i), prefix + std::to_string(i * i));
      }
      _exit(0);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  EXPECT_EQ(ReadFromDisk("Apagado", "Horas"), "7");
  for (const std::string prefix : {"a", "b"}) {
    for (int i = 0; i < kKeysEach; ++i) {
      EXPECT_EQ(ReadFromDisk("Window", prefix + std::to_string(i)), prefix + std::to_string(i * i));
    }
  }
}

TEST_F(QSettingsStoreTest, AWriteThatFindsTheDiskFullLeavesTheOldFileWholeAndSaysSo) {
  store.Write("Vesperon", "Apagado", "Horas", "7");
  store.Write("Vesperon", "Apagado", "Minutos", "30");
  const QByteArray before = FileBytes(Path());
  const QString errors = home.filePath("stderr.txt");

  const int result = RunInChild([&] {
    freopen(qPrintable(errors), "w", stderr);
    // A file may grow to 1 KiB only; a write past that fails with EFBIG
    // instead of killing the process, just as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1024;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    QSettingsStore child(home.path());
    if (child.Write("Vesperon", "Window", "Skin", std::string(8192, 's'))) return 4;
    std::fflush(stderr);
    // Nor may this process go on believing the value was saved.
    return child.Read("Vesperon", "Window", "Skin", "<absent>") == "<absent>" ? 0 : 3;
  });
  ASSERT_EQ(result, 0);

  EXPECT_EQ(FileBytes(Path()), before);
  EXPECT_EQ(QDir(home.filePath("Vesperon")).entryList(QDir::Files | QDir::Hidden),
            QStringList{"Vesperon.ini"})
      << "a temporary or lock file was left behind";
  const QList<QByteArray> said = FileBytes(errors).trimmed().split('\n');
  ASSERT_EQ(said.size(), 1);
  EXPECT_TRUE(said[0].startsWith("vesperon: could not save Window/Skin")) << said[0].constData();
}

}  // namespace
}  // namespace vesperon

namespace vesperon {
namespace {

TEST_F(QSettingsStoreTest, RewritingTheStoredValueLeavesTheFileAlone) {
  store.Write("Vesperon", "Window", "Skin", "");
  store.Write("Vesperon", "Window", "xpos", "1500");
  struct stat before {}, after {};
  ASSERT_EQ(::stat(QFile::encodeName(Path()).constData(), &before), 0);
  store.Write("Vesperon", "Window", "Skin", "");
  ASSERT_EQ(::stat(QFile::encodeName(Path()).constData(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);  // not replaced
  // A changed value, or the same text under an absent key, is written.
  store.Write("Vesperon", "Window", "xpos", "1515");
  EXPECT_EQ(ReadFromDisk("Window", "xpos"), "1515");
  store.Write("Vesperon", "Window", "ypos", "");
  EXPECT_EQ(ReadFromDisk("Window", "ypos"), "");
}

}  // namespace
}  // namespace vesperon

namespace vesperon {
namespace {

using ::testing::HasSubstr;

// A sound file with a long run of garbage after it (a crash of another tool,
// a bad sector): the damaged file is kept aside, once, and the values that
// can be read go on in a sound file with the new one.
TEST_F(QSettingsStoreTest, AFileWithAGarbageTailIsKeptAsideAndSavesGoOn) {
  store.Write("Vesperon", "Apagado", "Horas", "7");
  store.Write("Vesperon", "Window", "xpos", "1500");
  {
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::Append));
    QRandomGenerator garbage(6);
    QByteArray tail(64 * 1024, '\0');
    for (char& byte : tail) byte = static_cast<char>(garbage.bounded(256));
    file.write(tail);
  }
  const QByteArray damaged = FileBytes(Path());
  StderrCapture errors;

  EXPECT_TRUE(store.Write("Vesperon", "Apagado", "Minutos", "30"));
  EXPECT_TRUE(store.Write("Vesperon", "Apagado", "Segundos", "5"));

  EXPECT_EQ(ReadFromDisk("Apagado", "Horas"), "7");
  EXPECT_EQ(ReadFromDisk("Window", "xpos"), "1500");
  EXPECT_EQ(ReadFromDisk("Apagado", "Minutos"), "30");
  EXPECT_EQ(ReadFromDisk("Apagado", "Segundos"), "5");
  EXPECT_EQ(QSettings(Path(), QSettings::IniFormat).status(), QSettings::NoError);
  const QStringList kept =
      QDir(home.filePath("Vesperon")).entryList({"Vesperon.ini.damaged-*"}, QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  EXPECT_EQ(FileBytes(home.filePath("Vesperon/" + kept[0])), damaged);
  const auto said = errors.VesperonLines();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_THAT(said[0], HasSubstr(kept[0].toStdString()));
}

// A link is followed to the file it names, through a chain of links; a
// link to something that is no regular file is never written through, and
// never read, which for a FIFO would wait for ever.
TEST_F(QSettingsStoreTest, LinksAreFollowedToARegularFileAndToNothingElse) {
  QTemporaryDir dotfiles;
  QDir().mkpath(home.filePath("Vesperon"));
  ASSERT_TRUE(QFile::link(dotfiles.filePath("vesperon.ini"), dotfiles.filePath("current.ini")));
  ASSERT_TRUE(QFile::link(dotfiles.filePath("current.ini"), Path()));
  EXPECT_TRUE(store.Write("Vesperon", "Apagado", "Horas", "7"));
  EXPECT_TRUE(store.Write("Vesperon", "Apagado", "Minutos", "30"));
  EXPECT_TRUE(QFileInfo(Path()).isSymLink());
  EXPECT_TRUE(QFileInfo(dotfiles.filePath("current.ini")).isSymLink());
  EXPECT_EQ(FileBytes(dotfiles.filePath("vesperon.ini")), "[Apagado]\nHoras=7\nMinutos=30\n");

  QTemporaryDir devices;
  const QByteArray node = QFile::encodeName(devices.filePath("null"));
  ASSERT_EQ(::mknod(node.constData(), S_IFCHR | 0666, makedev(1, 3)), 0)
      << "mknod refused (" << std::strerror(errno) << "): this test needs root";
  ASSERT_EQ(::mkfifo(QFile::encodeName(devices.filePath("fifo")).constData(), 0600), 0);
  for (const char* name : {"null", "fifo"}) {
    SCOPED_TRACE(name);
    QTemporaryDir linked;
    QDir().mkpath(linked.filePath("Vesperon"));
    ASSERT_TRUE(QFile::link(devices.filePath(name), linked.filePath("Vesperon/Vesperon.ini")));
    QSettingsStore refusing(linked.path());
    StderrCapture errors;
    // In a child, so that a read that waits on the FIFO fails the test.
    const int result = RunInChild([&] {
      alarm(10);
      if (refusing.Write("Vesperon", "Apagado", "Horas", "7")) return 1;
      if (refusing.Write("Vesperon", "Apagado", "Minutos", "30")) return 2;
      return refusing.Read("Vesperon", "Apagado", "Horas", "<absent>") == "<absent>" ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(devices.filePath(name)).constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode));
    EXPECT_TRUE(QFileInfo(linked.filePath("Vesperon/Vesperon.ini")).isSymLink());
    EXPECT_EQ(errors.VesperonLines().size(), 1u);
  }
}

// Saves killed halfway leave their work files; the next start removes them,
// unless a save still holds the folder.
TEST_F(QSettingsStoreTest, WorkFilesOfKilledSavesAreRemovedAtTheNextStart) {
  store.Write("Vesperon", "Window", "Skin", std::string(3 << 20, 's'));
  const QDir folder(home.filePath("Vesperon"));
  auto leftovers = [&] {
    return folder.entryList({".Vesperon.ini.*"}, QDir::Files | QDir::Hidden);
  };
  for (int attempt = 0; attempt < 50 && leftovers().isEmpty(); ++attempt) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      QSettingsStore writer(home.path());
      for (int i = 0;; ++i) writer.Write("Vesperon", "Apagado", "Horas", std::to_string(i % 24));
    }
    // Killed the moment a save is under way.
    while (leftovers().isEmpty()) QThread::usleep(100);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  ASSERT_FALSE(leftovers().isEmpty()) << "no save was caught halfway";
  const QStringList found = leftovers();

  {
    // A save of another process that is still running keeps its files.
    const int held = ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(QSettingsStore(home.path()).Read("Vesperon", "Window", "Skin", "").size(), 3u << 20);
    EXPECT_EQ(leftovers(), found);
    ::close(held);
  }
  EXPECT_EQ(QSettingsStore(home.path()).Read("Vesperon", "Window", "Skin", "").size(), 3u << 20);
  EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(' ').toStdString();
}

}  // namespace
}  // namespace vesperon
