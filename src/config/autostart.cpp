#include "config/autostart.h"

#include "config/mod_utils.h"

namespace vesperon {

namespace {

const char* StartKey(int kind) { return kind == 1 ? kRunKey : kRunServicesKey; }

}  // namespace

void RegistrarAutoInicio(Registry& registry, Environment& environment, const std::string& valueName,
                         const std::string& programPath, int kind, bool overwrite) {
  const std::string path = programPath.empty() ? environment.ProgramFilePath() : programPath;
  if (valueName.empty() || !environment.VisibleFileExists(path)) return;

  const char* key = StartKey(kind);
  const std::string current = RegLeerTexto(registry, kHkeyLocalMachine, key, valueName);
  if (overwrite || IsRegistryErrorText(current)) {
    // Unquoted on purpose: the entry holds the bare path, a blank, the argument.
    RegEscribirTexto(registry, kHkeyLocalMachine, key, valueName, path + " " + kAutoStartArgument);
  }
}

void QuitarAutoInicio(Registry& registry, const std::string& valueName, int kind) {
  const char* key = StartKey(kind);
  const std::string current = RegLeerTexto(registry, kHkeyLocalMachine, key, valueName);
  if (!IsRegistryErrorText(current)) RegBorrarValor(registry, kHkeyLocalMachine, key, valueName);
}

bool AutoStartAsWanted(Registry& registry, Environment& environment, const std::string& valueName,
                       int kind, bool wanted) {
  const std::string current = RegLeerTexto(registry, kHkeyLocalMachine, StartKey(kind), valueName);
  if (!wanted) return IsRegistryErrorText(current);
  // The reader's buffer cuts a long command line.
  const std::string expected = environment.ProgramFilePath() + " " + kAutoStartArgument;
  return current == expected.substr(0, kRegistryReadBufferBytes);
}

bool MayChangeAutoStart(Registry& registry, int kind) {
  RegKey key = 0;
  const long status = registry.RegOpenKeyExA(kHkeyLocalMachine, StartKey(kind), kKeyAllAccess, key);
  if (status == kErrorSuccess) registry.RegCloseKey(key);
  return status != kErrorAccessDenied;
}

}  // namespace vesperon
