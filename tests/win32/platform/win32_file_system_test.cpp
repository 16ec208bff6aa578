#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "file_system_contract.h"
#include "platform/win32/skins_folders.h"
#include "win32/wide_text.h"
#include "win32/win32_picture_loader.h"
#include "skin/skin_files.h"
#include "skin/skin_library.h"
#include "win32_test_support.h"

namespace vesperon {
namespace {

// In a folder whose own name is beyond the ANSI code page.
TEST(Win32FileSystem, KeepsTheFileSystemContract) {
  TemporaryFolder folder(L"Vesperon files \u65e5\u672c");
  Win32FileSystem files;
  contracts::ExpectFoldersListedAndSmallFilesRead(files, folder.Path());
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
