#include "platform/linux/xdg_autostart_registry.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>

#include "autostart_registry_contract.h"
#include "config/autostart.h"
#include "config/mod_utils.h"
#include "fake_environment.h"
#include "file_bytes.h"
#include "forked_child.h"

namespace vesperon {
namespace {

// The line of the entry that starts with key=.
QByteArray EntryLine(const QByteArray& entry, const QByteArray& key) {
  for (const QByteArray& line : entry.split('\n')) {
    if (line.startsWith(key + '=')) return line.mid(key.size() + 1);
  }
  return "<missing>";
}

class XdgAutostartRegistryTest : public ::testing::Test {
 protected:
  QString Folder() const { return home.filePath("autostart"); }
  QString Entry() const { return Folder() + "/vesperon.desktop"; }

  long Set(const std::string& name, const std::string& data) {
    RegKey key = 0;
    registry.RegCreateKeyA(kHkeyLocalMachine, kRunKey, key);
    const long result = registry.RegSetValueExA(key, name, kRegSz, data);
    registry.RegCloseKey(key);
    return result;
  }

  QTemporaryDir home;
  XdgAutostartRegistry registry{Folder()};
};

TEST_F(XdgAutostartRegistryTest, KeepsTheAutostartContract) {
  FakeEnvironment environment;
  const std::string program = "/home/ana/Mis Programas/Relojería/vesperon";
  environment.visibleFiles = {program};
  contracts::ExpectReadingGivesErrorTextsAndCutsLongValues(registry, "Vesperon");
  contracts::ExpectTheEntryReadsBackAndIsRemoved(registry, environment, "Vesperon", program);
}

TEST_F(XdgAutostartRegistryTest, RegisteringWritesAValidEntryThatRunsTheProgramHidden) {
  FakeEnvironment environment;
  environment.programFilePath = "/opt/vesperon/bin/vesperon";
  environment.visibleFiles = {environment.programFilePath};

  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, true);

  const QByteArray entry = FileBytes(Entry());
  ASSERT_FALSE(entry.isEmpty()) << "no vesperon.desktop written";
  EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
  EXPECT_EQ(EntryLine(entry, "Type"), "Application");
  EXPECT_EQ(EntryLine(entry, "Name"), "Vesperon");
  EXPECT_EQ(EntryLine(entry, "Exec"), "/opt/vesperon/bin/vesperon /autostart");
  EXPECT_EQ(EntryLine(entry, "Hidden"), "false");
  EXPECT_EQ(EntryLine(entry, "X-GNOME-Autostart-enabled"), "true");
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/opt/vesperon/bin/vesperon /autostart");

  QuitarAutoInicio(registry, "Vesperon", 1);
  EXPECT_FALSE(QFile::exists(Entry()));
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST_F(XdgAutostartRegistryTest, APathWithBlanksIsQuotedInExec) {
  FakeEnvironment environment;
  const std::string path = "/home/ana/Mis Programas/vesperon";
  environment.visibleFiles = {path};

  RegistrarAutoInicio(registry, environment, "Vesperon", path, 1, true);

  EXPECT_EQ(EntryLine(FileBytes(Entry()), "Exec"),
            "\"/home/ana/Mis Programas/vesperon\" /autostart");
}

TEST_F(XdgAutostartRegistryTest, ExecQuotesAndEscapesAsTheDesktopEntryRulesAsk) {
  // Inside quotes \ " ` $ take a backslash, then every backslash is doubled
  // for the string escapes; a percent sign is doubled, not a field code.
  EXPECT_EQ(DesktopExecLine("/usr/bin/vesperon /autostart"), "/usr/bin/vesperon /autostart");
  EXPECT_EQ(DesktopExecLine("/usr/bin/vesperon"), "/usr/bin/vesperon");
  EXPECT_EQ(DesktopExecLine("/opt/100%/vesperon /autostart"), "/opt/100%%/vesperon /autostart");
  EXPECT_EQ(DesktopExecLine("/opt/a\"b$c`d\\e f/v /autostart"),
            "\"/opt/a\\\"b\\$c\\`d\\\\e f/v\" /autostart");
  EXPECT_EQ(DesktopExecLine("/opt/it's/v"), "\"/opt/it's/v\"");

  Set("Vesperon", std::string("/opt/a\\b c/v /autostart") + '\0');
  EXPECT_EQ(EntryLine(FileBytes(Entry()), "Exec"), "\"/opt/a\\\\\\\\b c/v\" /autostart");
}

TEST_F(XdgAutostartRegistryTest, AnyTextReadsBackExactly) {
  for (const std::string& data :
       {std::string(" leading and trailing blanks "), std::string("tab\there\nnew line\r"),
        std::string("back\\slash \\s \\n %u \"q\" 'a' ;#[x]=y"), std::string("Señor ☺"),
        std::string(""), std::string(200, 'x')}) {
    ASSERT_EQ(Set("Vesperon", data + '\0'), kErrorSuccess);
    RegKey key = 0;
    ASSERT_EQ(registry.RegOpenKeyExA(kHkeyLocalMachine, kRunKey, kKeyRead, key), kErrorSuccess);
    std::string buffer(255, '#');
    std::uint32_t type = 0;
    EXPECT_EQ(registry.RegQueryValueExA(key, "Vesperon", type, buffer), kErrorSuccess);
    registry.RegCloseKey(key);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(buffer.substr(0, data.size() + 1), data + '\0');
    EXPECT_EQ(buffer.substr(data.size() + 1), std::string(255 - data.size() - 1, '#'))
        << "bytes past the value were touched";
  }
}

TEST_F(XdgAutostartRegistryTest, AnEntryWrittenBySomeoneElseReadsAsItsCommand) {
  QDir().mkpath(Folder());
  QFile file(Entry());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[Desktop Entry]\nType=Application\nName=Vesperon\nExec = /usr/bin/vesperon\n");
  file.close();
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "VESPERON"), "/usr/bin/vesperon");
}

TEST_F(XdgAutostartRegistryTest, OnlyTheRunKeyExistsAndHandlesMustBeOpen) {
  RegKey key = 0;
  EXPECT_EQ(registry.RegOpenKeyExA(kHkeyLocalMachine, kRunServicesKey, kKeyRead, key),
            kErrorFileNotFound);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(registry.RegOpenKeyExA(0x80000001, kRunKey, kKeyRead, key), kErrorFileNotFound);

  ASSERT_EQ(
      registry.RegOpenKeyExA(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RUN",
                             kKeyAllAccess, key),
      kErrorSuccess);
  EXPECT_NE(key, 0u);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorSuccess);
  EXPECT_EQ(registry.RegSetValueExA(key, "Vesperon", kRegSz, "x"), kErrorInvalidHandle);
  EXPECT_EQ(registry.RegCloseKey(key), kErrorInvalidHandle);
  EXPECT_FALSE(QDir(Folder()).exists());
}

TEST_F(XdgAutostartRegistryTest, NamesThatAreNotOnePlainFileAreRefused) {
  for (const std::string name : {"../escape", "a/b", ".hidden", "", "dos\\nombres", "sp ace"}) {
    EXPECT_EQ(Set(name, "x"), kErrorInvalidParameter) << name;
  }
  EXPECT_FALSE(QDir(Folder()).exists());
  EXPECT_FALSE(QFile::exists(home.filePath("escape.desktop")));
}

TEST_F(XdgAutostartRegistryTest, AWriteThatFindsTheDiskFullKeepsTheEarlierEntry) {
  ASSERT_EQ(Set("Vesperon", std::string("/old/vesperon /autostart") + '\0'), kErrorSuccess);
  const QByteArray before = FileBytes(Entry());

  const int result = RunInChild([&] {
    // Files may grow to 64 bytes only; past that a write fails with EFBIG.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 64;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    return Set("Vesperon", std::string("/new/vesperon /autostart") + '\0') == kErrorSuccess ? 1 : 0;
  });
  EXPECT_EQ(result, 0) << "the failed write was reported as done";
  EXPECT_EQ(FileBytes(Entry()), before);
  EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"vesperon.desktop"});
}

}  // namespace
}  // namespace vesperon
