#pragma once

// The file system port's contract, the same for every adapter: each
// adapter's tests run it in an empty folder of their own.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ports/file_system.h"

namespace vesperon::contracts {

// A path as the port takes it: UTF-8.
inline std::string PortPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A folder is listed with the names of its entries, in any script, and the
// folder attribute of each; a small plain file is read whole; a file larger
// than asked for, a folder, and a path with nothing there are refused each
// for what it is; only a folder can be listed.
inline void ExpectFoldersListedAndSmallFilesRead(FileSystem& files,
                                                 const std::filesystem::path& emptyFolder) {
  const std::filesystem::path skin = emptyFolder / u8"Ñandú";
  const std::filesystem::path ini = emptyFolder / u8"skin.ini";
  std::filesystem::create_directory(skin);
  std::ofstream(ini, std::ios::binary) << "[skin]\r\nname=Azul\r\n";

  const auto entries = files.ListFolder(PortPath(emptyFolder));
  ASSERT_TRUE(entries);
  std::vector<std::string> folders, plainFiles;
  for (const FolderEntry& entry : *entries)
    (entry.isFolder ? folders : plainFiles).push_back(entry.name);
  EXPECT_EQ(folders, std::vector<std::string>{"Ñandú"});
  EXPECT_EQ(plainFiles, std::vector<std::string>{"skin.ini"});

  const FileBytes read = files.ReadFile(PortPath(ini), 100);
  EXPECT_EQ(read.status, FileReadStatus::Ok);
  EXPECT_EQ(read.bytes, "[skin]\r\nname=Azul\r\n");
  EXPECT_EQ(files.ReadFile(PortPath(ini), 10).status, FileReadStatus::TooLarge);
  EXPECT_EQ(files.ReadFile(PortPath(skin), 100).status, FileReadStatus::NotAFile);
  EXPECT_EQ(files.ReadFile(PortPath(emptyFolder / "none.ini"), 100).status,
            FileReadStatus::Missing);
  EXPECT_FALSE(files.ListFolder(PortPath(emptyFolder / "none")));
  EXPECT_FALSE(files.ListFolder(PortPath(ini)));
}

}  // namespace vesperon::contracts
