#include <gtest/gtest.h>

#include "config/mod_ini.h"
#include "memory_file_system.h"

namespace vesperon {
namespace {

TEST(ProfileReader, ReadsValuesAsTheSystemReaderDoes) {
  const std::string ini =
      "[Skin]\r\n"
      "NAME =  Azul Noche  \r\n"
      "name=second of the same key\r\n"
      "version=\"1.2 beta\"\r\n"
      "quoted=' mixed\"\r\n"
      "[autor]\n"
      "  name = 'Ana'\n"
      "[skin]\n"
      "web=a later section of the same name is never looked in\n"
      "[ autor ]\n";
  EXPECT_EQ(ProfileValue(ini, "skin", "name"), "Azul Noche");
  EXPECT_EQ(ProfileValue(ini, "SKIN", "Version"), "1.2 beta");
  EXPECT_EQ(ProfileValue(ini, "skin", "quoted"), "' mixed\"");
  EXPECT_EQ(ProfileValue(ini, "autor", "name"), "Ana");
  EXPECT_EQ(ProfileValue(ini, "skin", "web"), "");
  EXPECT_EQ(ProfileValue(ini, "autor", "email"), "");
  EXPECT_EQ(ProfileValue(ini, "nada", "name"), "");
}

TEST(ProfileReader, CutsLongValuesAndDecodesEitherCodePage) {
  // 200 characters, each two bytes in UTF-8: the cut counts characters.
  std::string longName;
  for (int i = 0; i < 200; ++i) longName += "ñ";
  const std::string value = ProfileValue("[skin]\nname=" + longName + "\n", "skin", "name");
  EXPECT_EQ(value, longName.substr(0, 2 * 199));

  // Written on Windows in its code page: "Versión" and a euro sign.
  EXPECT_EQ(ProfileValue("[skin]\r\nversion=Versi\xF3n 2 \x80\r\n", "skin", "version"),
            "Versión 2 €");
  // UTF-8 with a byte-order mark before the first section.
  EXPECT_EQ(ProfileValue("\xEF\xBB\xBF[skin]\nversion=Versión\n", "skin", "version"), "Versión");
}

TEST(ProfileReader, AnythingButASmallTextFileReadsAsEmpty) {
  MemoryFileSystem files;
  files.AddFile("/s/ok.ini", "[skin]\nname=Azul\n");
  files.AddFile("/s/binary.ini", std::string("[skin]\nname=Azul\n\0\x01", 20));
  files.AddFile("/s/huge.ini", "[skin]\nname=Azul\n" + std::string(kIniFileMaxBytes, ';'));
  files.AddFolder("/s/folder.ini");
  EXPECT_EQ(LeerIni(files, "/s/ok.ini", "skin", "name"), "Azul");
  for (const char* path : {"/s/binary.ini", "/s/huge.ini", "/s/folder.ini", "/s/missing.ini"})
    EXPECT_EQ(LeerIni(files, path, "skin", "name"), "") << path;
}

}  // namespace
}  // namespace vesperon
