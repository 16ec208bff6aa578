#include "platform/linux/linux_file_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/skins_folders.h"
#include "env_guard.h"

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
  EXPECT_FALSE(files.ListFolder(Path(dir, "notas.txt")));
  EXPECT_FALSE(files.ListFolder(Path(dir, "missing")));
}

TEST(LinuxFileSystem, ReadsOnlySmallPlainFilesAndNeverBlocks) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  Write(Path(dir, "skin.ini"), "[skin]\nname=Azul\n");
  Write(Path(dir, "big.ini"), QByteArray(101, 'x'));
  ASSERT_EQ(::mkfifo(Path(dir, "fifo.ini").c_str(), 0600), 0);
  QDir(dir.path()).mkdir(QStringLiteral("folder.ini"));

  LinuxFileSystem files;
  const FileBytes ok = files.ReadFile(Path(dir, "skin.ini"), 100);
  EXPECT_EQ(ok.status, FileReadStatus::Ok);
  EXPECT_EQ(ok.bytes, "[skin]\nname=Azul\n");
  EXPECT_EQ(files.ReadFile(Path(dir, "big.ini"), 100).status, FileReadStatus::TooLarge);
  EXPECT_EQ(files.ReadFile(Path(dir, "fifo.ini"), 100).status, FileReadStatus::NotAFile);
  EXPECT_EQ(files.ReadFile(Path(dir, "folder.ini"), 100).status, FileReadStatus::NotAFile);
  EXPECT_EQ(files.ReadFile(Path(dir, "missing.ini"), 100).status, FileReadStatus::Missing);
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
