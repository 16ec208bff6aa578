#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/win32/skins_folders.h"
#include "win32/wide_text.h"
#include "win32/win32_picture_loader.h"
#include "skin/skin_files.h"
#include "skin/skin_library.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

TEST(Win32FileSystem, ListsAndReadsInAnyScriptAndRefusesWhatIsNoSmallFile) {
  TemporaryFolder folder(L"Vesperon files \u65e5\u672c");
  const std::filesystem::path& dir = folder.Path();
  std::filesystem::create_directory(dir / L"\u00d1and\u00fa");
  std::ofstream(dir / L"skin.ini", std::ios::binary) << "[skin]\r\nname=Azul\r\n";

  Win32FileSystem files;
  const auto entries = files.ListFolder(Narrow(dir.wstring()));
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  const auto skin = std::find_if(entries->begin(), entries->end(),
                                 [](const FolderEntry& e) { return e.name == "Ñandú"; });
  ASSERT_NE(skin, entries->end());
  EXPECT_TRUE(skin->isFolder);

  const std::string ini = Narrow((dir / L"skin.ini").wstring());
  const FileBytes read = files.ReadFile(ini, 100);
  EXPECT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.bytes, "[skin]\r\nname=Azul\r\n");
  EXPECT_EQ(files.ReadFile(ini, 10).status, FileReadStatus::TooLarge);
  EXPECT_EQ(files.ReadFile(Narrow((dir / L"Ñandú").wstring()), 100).status,
            FileReadStatus::NotAFile);
  EXPECT_EQ(files.ReadFile(Narrow((dir / L"none.ini").wstring()), 100).status,
            FileReadStatus::Missing);
  EXPECT_FALSE(files.ListFolder(Narrow((dir / L"none").wstring())));
}

TEST(Win32FileSystem, ASkinInTheUsersFolderIsFoundAndItsPathsReadAsWindowsOnes) {
  TemporaryFolder program(L"Vesperon program");
  TemporaryFolder user(L"Vesperon user");
  const auto folders = SkinsFolders(Narrow((program.Path() / L"vesperon.exe").wstring()),
                                    Narrow(user.Path().wstring()));
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], Narrow((program.Path() / L"Skins").wstring()));
  std::filesystem::create_directories(user.Path() / L"Skins" / L"Azul");
  std::ofstream(user.Path() / L"Skins" / L"Azul" / L"Skin-Base.BMP", std::ios::binary) << "BM";

  Win32FileSystem files;
  SkinLibrary library(files, folders);
  const auto found = library.Find("azul");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name, "Azul");
  Win32PictureLoader pictures;
  SkinFiles skin(library, pictures, "Azul");
  EXPECT_EQ(skin.PathOf("skin-base.bmp"),
            Narrow((user.Path() / L"Skins" / L"Azul" / L"Skin-Base.BMP").wstring()));
}

}  // namespace
}  // namespace vesperon
