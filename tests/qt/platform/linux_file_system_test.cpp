#include "platform/linux/linux_file_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "env_guard.h"
#include "file_system_contract.h"
#include "platform/linux/skins_folders.h"

namespace vesperon {
namespace {

std::string Path(const QTemporaryDir& dir, const char* name) {
  return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
}

void Write(const std::string& path, const QByteArray& bytes) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(LinuxFileSystem, KeepsTheFileSystemContract) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  LinuxFileSystem files;
  contracts::ExpectFoldersListedAndSmallFilesRead(files, dir.path().toStdString());
}

TEST(LinuxFileSystem, ListsInTheFileSystemsOrderWithTheFolderAttributeOfWhatEntriesLeadTo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QDir(dir.path()).mkdir(QStringLiteral("Azul"));
  Write(Path(dir, "notas.txt"), "x");
  ASSERT_EQ(::symlink("Azul", Path(dir, "Enlace").c_str()), 0);
  ASSERT_EQ(::symlink("nowhere", Path(dir, "Roto").c_str()), 0);

  std::vector<std::string> readdirOrder;
  DIR* folder = ::opendir(dir.path().toLocal8Bit().constData());
  while (const dirent* e = ::readdir(folder))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
      readdirOrder.push_back(e->d_name);
  ::closedir(folder);

  LinuxFileSystem files;
  const auto entries = files.ListFolder(dir.path().toStdString());
  ASSERT_TRUE(entries);
  std::vector<std::string> names;
  for (const FolderEntry& e : *entries) {
    names.push_back(e.name);
    EXPECT_EQ(e.isFolder, e.name == "Azul" || e.name == "Enlace") << e.name;
  }
  EXPECT_EQ(names, readdirOrder);
}

// A FIFO or a device is refused without being read, so it cannot block.
TEST(LinuxFileSystem, NeverReadsWhatIsNoPlainFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_EQ(::mkfifo(Path(dir, "fifo.ini").c_str(), 0600), 0);

  LinuxFileSystem files;
  EXPECT_EQ(files.ReadFile(Path(dir, "fifo.ini"), 100).status, FileReadStatus::NotAFile);
  EXPECT_EQ(files.ReadFile("/dev/zero", 100).status, FileReadStatus::NotAFile);
}

TEST(SkinsFolders, BesideTheProgramThenTheUsersThenTheInstalledOnes) {
  {
    EnvGuard data("XDG_DATA_HOME", QByteArray("/home/ana/datos"));
    EXPECT_EQ(SkinsFolders("/opt/vesperon/bin/vesperon", "/usr/share/vesperon/Skins"),
              (std::vector<std::string>{"/opt/vesperon/bin/Skins", "/home/ana/datos/vesperon/Skins",
                                        "/opt/vesperon/share/vesperon/Skins",
                                        "/usr/share/vesperon/Skins"}));
  }
  EnvGuard data("XDG_DATA_HOME", std::nullopt);
  EnvGuard home("HOME", QByteArray("/home/ana"));
  // Installed where the build said: the relative and the built-in place agree.
  EXPECT_EQ(SkinsFolders("/usr/bin/vesperon", "/usr/share/vesperon/Skins"),
            (std::vector<std::string>{"/usr/bin/Skins", "/home/ana/.local/share/vesperon/Skins",
                                      "/usr/share/vesperon/Skins"}));
}

}  // namespace
}  // namespace vesperon
