#include "platform/linux/linux_environment.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>

#include "env_guard.h"

namespace vesperon {
namespace {

// Another copy of the program in a child process: it takes the lock in a
// folder, says whether it got it, and runs until it is told to end or killed.
class OtherCopy {
 public:
  explicit OtherCopy(const QString& lockFolder) {
    if (pipe(said_) != 0 || pipe(told_) != 0) return;
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      LinuxEnvironment environment({}, lockFolder);
      const char answer = environment.PrevInstance() ? 'p' : 'l';
      char end = 0;
      if (write(said_[1], &answer, 1) != 1 || read(told_[0], &end, 1) < 0) _exit(1);
      _exit(0);
    }
  }
  ~OtherCopy() {
    End();
    for (const int fd : {said_[0], said_[1], told_[0], told_[1]}) close(fd);
  }
  OtherCopy(const OtherCopy&) = delete;
  OtherCopy& operator=(const OtherCopy&) = delete;

  // True when the child got the lock.
  bool HoldsLock() {
    char answer = 0;
    return read(said_[0], &answer, 1) == 1 && answer == 'l';
  }
  void End() {
    if (pid_ <= 0) return;
    const char end = 'e';
    if (write(told_[1], &end, 1) != 1) kill(pid_, SIGKILL);
    Reap();
  }
  void Kill() {
    kill(pid_, SIGKILL);
    Reap();
  }

 private:
  void Reap() {
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  int said_[2] = {-1, -1};
  int told_[2] = {-1, -1};
  pid_t pid_ = -1;
};

class LinuxEnvironmentTest : public ::testing::Test {
 protected:
  QString LockFolder() const { return runtime.filePath("run"); }

  QTemporaryDir runtime;
};

TEST_F(LinuxEnvironmentTest, ArgumentTextIsTheArgumentsJoinedBySingleBlanks) {
  EXPECT_EQ(LinuxEnvironment({}, LockFolder()).ArgumentText(), "");
  EXPECT_EQ(LinuxEnvironment({"/autostart"}, LockFolder()).ArgumentText(), "/autostart");
  EXPECT_EQ(LinuxEnvironment({"/autostart", "más"}, LockFolder()).ArgumentText(), "/autostart más");
}

TEST_F(LinuxEnvironmentTest, ASecondCopyInAnotherProcessIsRefusedWhileTheFirstRuns) {
  OtherCopy first(LockFolder());
  ASSERT_TRUE(first.HoldsLock());

  LinuxEnvironment second({}, LockFolder());
  EXPECT_TRUE(second.PrevInstance());

  first.End();
  EXPECT_FALSE(LinuxEnvironment({}, LockFolder()).PrevInstance());
}

TEST_F(LinuxEnvironmentTest, TheCopyThatStartedKeepsTheLockAndItsAnswer) {
  LinuxEnvironment running({}, LockFolder());
  ASSERT_FALSE(running.PrevInstance());
  EXPECT_FALSE(running.PrevInstance());

  OtherCopy later(LockFolder());
  EXPECT_FALSE(later.HoldsLock());
}

TEST_F(LinuxEnvironmentTest, ALockLeftByAKilledCopyDoesNotBlockTheNextStart) {
  OtherCopy crashed(LockFolder());
  ASSERT_TRUE(crashed.HoldsLock());
  crashed.Kill();

  ASSERT_TRUE(QFile::exists(LockFolder() + "/vesperon.lock"));
  EXPECT_FALSE(LinuxEnvironment({}, LockFolder()).PrevInstance());
}

TEST_F(LinuxEnvironmentTest, TheLockFolderIsMadePrivateAndAnUntrustedOneNeverBlocks) {
  {
    LinuxEnvironment environment({}, LockFolder());
    ASSERT_FALSE(environment.PrevInstance());
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(LockFolder()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
  }
  // A folder others may write to could hold anyone's lock: start anyway.
  ASSERT_EQ(chmod(QFile::encodeName(LockFolder()).constData(), 0777), 0);
  LinuxEnvironment first({}, LockFolder());
  LinuxEnvironment second({}, LockFolder());
  EXPECT_FALSE(first.PrevInstance());
  EXPECT_FALSE(second.PrevInstance());
}

TEST_F(LinuxEnvironmentTest, TheDefaultLockFolderIsTheRuntimeFolderOrAPrivateTemporaryOne) {
  const QString fallback = QDir::tempPath() + "/vesperon-" + QString::number(geteuid());
  {
    const EnvGuard xdg("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(LinuxEnvironment::DefaultLockFolder(), runtime.path());
  }
  {
    const EnvGuard xdg("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(LinuxEnvironment::DefaultLockFolder(), fallback);
  }
  {
    const EnvGuard xdg("XDG_RUNTIME_DIR", QByteArray("relative/run"));
    EXPECT_EQ(LinuxEnvironment::DefaultLockFolder(), fallback);
  }
}

TEST_F(LinuxEnvironmentTest, OnlyPlainFilesThatAreNotHiddenCountAsVisibleFiles) {
  LinuxEnvironment environment({}, LockFolder());
  const auto at = [&](const char* name) { return runtime.filePath(name).toStdString(); };
  QDir(runtime.path()).mkpath(".config/dir");
  for (const char* name : {"vesperon", ".hidden", ".config/vesperon"}) {
    QFile(runtime.filePath(name)).open(QIODevice::WriteOnly);
  }
  QFile::link(runtime.filePath("vesperon"), runtime.filePath("link"));

  EXPECT_TRUE(environment.VisibleFileExists(at("vesperon")));
  EXPECT_TRUE(environment.VisibleFileExists(at(".config/vesperon")));  // only the name counts
  EXPECT_TRUE(environment.VisibleFileExists(at("link")));
  EXPECT_FALSE(environment.VisibleFileExists(at(".hidden")));
  EXPECT_FALSE(environment.VisibleFileExists(at(".config/dir")));
  EXPECT_FALSE(environment.VisibleFileExists(at("missing")));
  EXPECT_FALSE(environment.VisibleFileExists(at("vesperon/")));
  EXPECT_FALSE(environment.VisibleFileExists(""));
}

TEST_F(LinuxEnvironmentTest, TheProgramFileIsTheRunningExecutable) {
  LinuxEnvironment environment({}, LockFolder());
  const std::string path = environment.ProgramFilePath();
  EXPECT_EQ(path, QFileInfo("/proc/self/exe").canonicalFilePath().toStdString());
  EXPECT_TRUE(environment.VisibleFileExists(path));
}

}  // namespace
}  // namespace vesperon
