#pragma once

// The start-with-the-session entry under the Run key, the same through
// every registry adapter: each adapter's tests run it on its own store.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "config/autostart.h"
#include "config/mod_utils.h"
#include "ports/environment.h"
#include "ports/registry.h"

namespace vesperon::contracts {

// The entry `name` (one the adapter takes) of the program at `program` (a
// file the environment sees, its path with blanks and letters beyond
// ASCII) reads back as the program wrote it, so that the configuration
// dialog finds the entry it asked for; removed, it is gone, and removing
// it again changes nothing.
inline void ExpectTheEntryReadsBackAndIsRemoved(Registry& registry, Environment& environment,
                                                const std::string& name,
                                                const std::string& program) {
  RegistrarAutoInicio(registry, environment, name, program, 1, true);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, name), program + " /autostart");
  QuitarAutoInicio(registry, name, 1);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, name), kErrorCannotRetrieveString);
  QuitarAutoInicio(registry, name, 1);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, name), kErrorCannotRetrieveString);
}

// Reading gives the error texts for a key and for a value that are not
// there, and a value longer than the reader's buffer cut to it: the buffer
// filled, and the call saying that there was more.
inline void ExpectReadingGivesErrorTextsAndCutsLongValues(Registry& registry,
                                                          const std::string& name) {
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, "Software\\Vesperon tests\\none", name),
            kErrorCannotOpenKey);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, name), kErrorCannotRetrieveString);
  RegKey key = 0;
  ASSERT_EQ(registry.RegCreateKeyA(kHkeyLocalMachine, kRunKey, key), kErrorSuccess);
  EXPECT_EQ(registry.RegSetValueExA(key, name, kRegSz, std::string(300, 'x') + '\0'),
            kErrorSuccess);
  std::string buffer(255, ' ');
  std::uint32_t type = 0;
  EXPECT_EQ(registry.RegQueryValueExA(key, name, type, buffer), kErrorMoreData);
  EXPECT_EQ(buffer, std::string(255, 'x'));
  registry.RegCloseKey(key);
  EXPECT_EQ(RegLeerTexto(registry, kHkeyLocalMachine, kRunKey, name), std::string(255, 'x'));
}

}  // namespace vesperon::contracts
