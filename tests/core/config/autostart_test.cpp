#include "config/autostart.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "config/mod_utils.h"
#include "fake_environment.h"
#include "memory_registry.h"

namespace vesperon {
namespace {

class AutostartTest : public ::testing::Test {
 protected:
  AutostartTest() {
    registry.CreateKey(kHkeyLocalMachine, kRunKey);
    environment.programFilePath = "/opt/vesperon/vesperon";
    environment.visibleFiles.insert(environment.programFilePath);
  }

  std::optional<std::string> RunValue(const std::string& name = "Vesperon") {
    return registry.Data(kHkeyLocalMachine, kRunKey, name);
  }

  void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0) << "a key was left open"; }

  MemoryRegistry registry;
  FakeEnvironment environment;
};

// --- the registry helpers ---

TEST_F(AutostartTest, WrittenTextReadsBackExactly) {
  RegEscribirTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon", "/opt/x /autostart");
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"), "/opt/x /autostart");
  // Stored as a terminated string: a blank-filled reader needs the NUL.
  EXPECT_EQ(RunValue(), std::string("/opt/x /autostart") + '\0');
}

TEST_F(AutostartTest, ReadingReportsTheTwoErrorTexts) {
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, "Software\\NoSuchKey", "Vesperon"),
            "Error : Cannot Open Key");
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "Error : Cannot Retrieve String");
  // A text that begins with a blank cannot be told from a missing one.
  registry.SetString(kHkeyLocalMachine, kRunKey, "Vesperon", " /opt/x /autostart");
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "Error : Cannot Retrieve String");
}

TEST_F(AutostartTest, AValueThatFillsTheBufferComesBackCutToIt) {
  registry.SetString(kHkeyLocalMachine, kRunKey, "Largo", std::string(300, 'x'));
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Largo"), std::string(255, 'x'));
}

TEST_F(AutostartTest, ErrorTextsAreRecognisedByTheirFirstFiveLettersInAnyCase) {
  EXPECT_TRUE(IsRegistryErrorText("Error : Cannot Open Key"));
  EXPECT_TRUE(IsRegistryErrorText("ERROR"));
  EXPECT_TRUE(IsRegistryErrorText("errores.exe /autostart"));
  EXPECT_FALSE(IsRegistryErrorText("Erro"));
  EXPECT_FALSE(IsRegistryErrorText(""));
  EXPECT_FALSE(IsRegistryErrorText("/opt/Error/vesperon /autostart"));
}

TEST_F(AutostartTest, DeletingAMissingValueOrKeyChangesNothing) {
  registry.SetString(kHkeyLocalMachine, kRunKey, "Otro", "x");
  RegBorrarValor(registry, kHkeyLocalMachine, kRunKey, "Vesperon");
  RegBorrarValor(registry, kHkeyLocalMachine, "Software\\NoSuchKey", "Vesperon");
  EXPECT_TRUE(RunValue("Otro").has_value());
  EXPECT_FALSE(registry.HasKey(kHkeyLocalMachine, "Software\\NoSuchKey"));
}

// --- registering and removing the start-with-the-session entry ---

TEST_F(AutostartTest, RegistersWhenNoValueExistsEvenWithoutOverwrite) {
  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, false);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/opt/vesperon/vesperon /autostart");
}

TEST_F(AutostartTest, RegistersEvenWhenTheRunKeyIsMissing) {
  MemoryRegistry empty;
  RegistrarAutoInicio(empty, environment, "Vesperon", "", 1, false);
  EXPECT_EQ(RegLeerTexto(empty, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/opt/vesperon/vesperon /autostart");
  EXPECT_EQ(empty.OpenHandles(), 0);
}

TEST_F(AutostartTest, OverwriteDecidesWhetherAnExistingValueIsReplaced) {
  registry.SetString(kHkeyLocalMachine, kRunKey, "Vesperon", "/old/place/vesperon /autostart");
  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, false);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/old/place/vesperon /autostart");

  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, true);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/opt/vesperon/vesperon /autostart");
}

TEST_F(AutostartTest, AValueBeginningWithABlankIsOverwrittenButNotRemoved) {
  registry.SetString(kHkeyLocalMachine, kRunKey, "Vesperon", " /elsewhere /autostart");
  QuitarAutoInicio(registry, "Vesperon", 1);
  EXPECT_EQ(RunValue(), std::string(" /elsewhere /autostart") + '\0');

  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, false);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/opt/vesperon/vesperon /autostart");
}

TEST_F(AutostartTest, APathWithBlanksIsWrittenBareAndUnquoted) {
  environment.visibleFiles.insert("/home/ana/Mis Programas/vesperon");
  RegistrarAutoInicio(registry, environment, "Vesperon", "/home/ana/Mis Programas/vesperon", 1,
                      true);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, "Vesperon"),
            "/home/ana/Mis Programas/vesperon /autostart");
}

TEST_F(AutostartTest, NothingIsWrittenForAMissingProgramFileOrAnEmptyName) {
  environment.visibleFiles.clear();  // missing, hidden or not a plain file
  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, true);
  EXPECT_FALSE(RunValue().has_value());

  environment.visibleFiles.insert("/opt/vesperon/vesperon");
  RegistrarAutoInicio(registry, environment, "", "", 1, true);
  EXPECT_FALSE(RunValue("").has_value());
}

TEST_F(AutostartTest, AnyOtherKindUsesTheRunServicesKey) {
  RegistrarAutoInicio(registry, environment, "Vesperon", "", 2, true);
  EXPECT_FALSE(RunValue().has_value());
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunServicesKey, "Vesperon"),
            "/opt/vesperon/vesperon /autostart");

  QuitarAutoInicio(registry, "Vesperon", 2);
  EXPECT_FALSE(registry.Data(kHkeyLocalMachine, kRunServicesKey, "Vesperon").has_value());
}

TEST_F(AutostartTest, RemovalDeletesOnlyAnExistingValue) {
  QuitarAutoInicio(registry, "Vesperon", 1);  // absent: nothing happens
  EXPECT_FALSE(RunValue().has_value());

  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, true);
  registry.SetString(kHkeyLocalMachine, kRunKey, "Otro", "/usr/bin/otro");
  QuitarAutoInicio(registry, "VESPERON", 1);  // value names ignore case, as on Windows
  EXPECT_FALSE(RunValue().has_value());
  EXPECT_TRUE(RunValue("Otro").has_value());
}

TEST_F(AutostartTest, WithoutWriteRightsBothOperationsSilentlyDoNothing) {
  registry.SetString(kHkeyLocalMachine, kRunKey, "Vesperon", "/old/vesperon /autostart");
  registry.readOnly = true;
  RegistrarAutoInicio(registry, environment, "Vesperon", "", 1, true);
  QuitarAutoInicio(registry, "Vesperon", 1);
  EXPECT_EQ(RunValue(), std::string("/old/vesperon /autostart") + '\0');
}

}  // namespace
}  // namespace vesperon
