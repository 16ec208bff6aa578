#include "config/mod_utils.h"

#include <cctype>

namespace vesperon {

RegKey RegAbrirClave(Registry& registry, RegKey root, const std::string& subKey,
                     std::uint32_t access) {
  RegKey key = 0;
  if (registry.RegOpenKeyExA(root, subKey, access, key) != kErrorSuccess) return 0;
  return key;
}

std::string RegLeerTexto(Registry& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName) {
  const RegKey key = RegAbrirClave(registry, root, subKey, kKeyRead);
  if (key == 0) return kErrorCannotOpenKey;

  // The query's own result is not looked at: a value that did not arrive
  // leaves the blanks in place, and that is what the check below sees.
  std::string buffer(kRegistryReadBufferBytes, ' ');
  std::uint32_t type = kRegSz;
  registry.RegQueryValueExA(key, valueName, type, buffer);
  registry.RegCloseKey(key);

  if (buffer.empty() || buffer.front() == ' ') return kErrorCannotRetrieveString;
  // A value that fills the whole buffer has no NUL; it comes back whole.
  return buffer.substr(0, buffer.find('\0'));
}

void RegEscribirTexto(Registry& registry, RegKey root, const std::string& subKey,
                      const std::string& valueName, const std::string& text) {
  RegKey key = 0;
  registry.RegCreateKeyA(root, subKey, key);
  if (key == 0) return;
  registry.RegSetValueExA(key, valueName, kRegSz, text + '\0');
  registry.RegCloseKey(key);
}

void RegBorrarValor(Registry& registry, RegKey root, const std::string& subKey,
                    const std::string& valueName) {
  // Without an open key there is nothing to delete from, and no handle that
  // should reach the delete and close calls.
  const RegKey key = RegAbrirClave(registry, root, subKey, kKeyAllAccess);
  if (key == 0) return;
  registry.RegDeleteValueA(key, valueName);
  registry.RegCloseKey(key);
}

bool IsRegistryErrorText(const std::string& text) {
  static constexpr char kPrefix[] = "error";
  if (text.size() < sizeof(kPrefix) - 1) return false;
  for (std::size_t i = 0; i + 1 < sizeof(kPrefix); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != kPrefix[i]) return false;
  }
  return true;
}

}  // namespace vesperon
