#pragma once

// The settings store's contract, the same for every adapter: each adapter's
// tests run it on a store of their own.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ports/settings_store.h"

namespace vesperon::contracts {

// What another program reading the same store now would get: section, key,
// default.
using ReadElsewhere =
    std::function<std::string(const std::string&, const std::string&, const std::string&)>;

// Texts that the syntax of a settings file or of the registry could take
// for something else, and texts beyond ASCII.
inline const std::vector<std::string>& AwkwardTexts() {
  static const std::vector<std::string> texts = {"",
                                                 " ",
                                                 " 1 ",
                                                 "\tt\t",
                                                 "a,b",
                                                 "a, b",
                                                 ",",
                                                 "a;b",
                                                 ";c",
                                                 "#h",
                                                 "x=y",
                                                 "=",
                                                 "\"quoted\"",
                                                 "it's",
                                                 "C:\\x\\",
                                                 "C:\\Program Files\\Vesperon\\Skins\\Noche",
                                                 "a\\x41",
                                                 "[s]",
                                                 "]",
                                                 "@x",
                                                 "@@x",
                                                 "@ByteArray(x)",
                                                 "@Variant(x)",
                                                 "@Invalid()",
                                                 "@",
                                                 "true",
                                                 "0x10",
                                                 "1e5",
                                                 "Apagamos mañana... ;)",
                                                 "áéñ€ 漢字 😀",
                                                 "時計 🕰️ Ελληνικά",
                                                 "l1\nl2\r\n",
                                                 "\x01\x7f",
                                                 std::string("a\0b", 3),
                                                 std::string(20000, 'x') + "\xe2\x82\xac"};
  return texts;
}

// Each awkward text, stored under the key "k" and its index in section
// "Pruebas", comes back as written, to this store and to another program.
inline void ExpectEveryTextRoundTrips(SettingsStore& store, const std::string& app,
                                      const ReadElsewhere& elsewhere) {
  const std::vector<std::string>& texts = AwkwardTexts();
  for (std::size_t i = 0; i < texts.size(); ++i)
    EXPECT_TRUE(store.Write(app, "Pruebas", "k" + std::to_string(i), texts[i])) << "text " << i;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string key = "k" + std::to_string(i);
    EXPECT_EQ(store.Read(app, "Pruebas", key, "<absent>"), texts[i]) << "text " << i;
    EXPECT_EQ(elsewhere("Pruebas", key, "<absent>"), texts[i]) << "text " << i << " elsewhere";
  }
  // A new value replaces the old one.
  EXPECT_TRUE(store.Write(app, "Pruebas", "k0", "otro"));
  EXPECT_EQ(store.Read(app, "Pruebas", "k0", "<absent>"), "otro");
}

// An absent key, in a section that exists or not, reads as the default; a
// key holding the empty text reads as empty, not as the default.
inline void ExpectAnAbsentKeyReadsAsTheDefault(SettingsStore& store, const std::string& app) {
  EXPECT_EQ(store.Read(app, "Apagado", "Horas", "def"), "def");
  EXPECT_TRUE(store.Write(app, "Apagado", "Horas", ""));
  EXPECT_EQ(store.Read(app, "Apagado", "Horas", "def"), "");
  EXPECT_EQ(store.Read(app, "Apagado", "Minutos", "def"), "def");
  EXPECT_EQ(store.Read(app, "Window", "Horas", "def"), "def");
  EXPECT_EQ(store.Read(app, "NoSuchSection", "Horas", "def"), "def");
}

}  // namespace vesperon::contracts
