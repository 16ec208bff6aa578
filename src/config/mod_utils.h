#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ports/registry.h"

namespace vesperon {

// What RegLeerTexto returns instead of a value.
inline constexpr const char* kErrorCannotOpenKey = "Error : Cannot Open Key";
inline constexpr const char* kErrorCannotRetrieveString = "Error : Cannot Retrieve String";

// The most RegLeerTexto reads of a value.
inline constexpr std::size_t kRegistryReadBufferBytes = 255;

// An open key, or 0 when the key cannot be opened with that access.
RegKey RegAbrirClave(Registry& registry, RegKey root, const std::string& subKey,
                     std::uint32_t access);

// The value's text, or one of the two error texts above. A value whose text
// begins with a blank cannot be told from a missing one and reads as an error.
std::string RegLeerTexto(Registry& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName);

// Writes a string value, creating the key when it is missing.
void RegEscribirTexto(Registry& registry, RegKey root, const std::string& subKey,
                      const std::string& valueName, const std::string& text);

// Deletes a value; a missing key or value is no error.
void RegBorrarValor(Registry& registry, RegKey root, const std::string& subKey,
                    const std::string& valueName);

// Callers tell RegLeerTexto's error texts by their first five characters.
bool IsRegistryErrorText(const std::string& text);

}  // namespace vesperon
