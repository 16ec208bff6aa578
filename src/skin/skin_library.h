#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/file_system.h"

namespace vesperon {

// A skin as found on disk: its folder's name as the file system spells it,
// and the folder's full path.
struct SkinFolder {
  std::string name;
  std::string path;
  friend bool operator==(const SkinFolder&, const SkinFolder&) = default;
};

// The name among `entries` that stands for `name` when letter case does not
// count: the entry spelt exactly so when there is one, else the first of the
// others in byte order, so the same one is chosen on every run whatever the
// file system's order. foldersOnly: only entries with the directory attribute.
std::optional<std::string> MatchIgnoringCase(const std::vector<FolderEntry>& entries,
                                             const std::string& name, bool foldersOnly);

// The entries whose names differ from `name` only by letter case, `name`'s
// own spelling included; more than one means the choice above was needed.
std::vector<std::string> CaseVariants(const std::vector<FolderEntry>& entries,
                                      const std::string& name);

// The Skins folders, searched in order: a skin in an earlier folder hides a
// skin of the same name (letter case aside) in a later one.
class SkinLibrary {
 public:
  SkinLibrary(FileSystem& files, std::vector<std::string> skinsFolders);

  // Every skin once, the earlier folder winning; within a folder in the file
  // system's order. Missing Skins folders yield nothing.
  std::vector<SkinFolder> ListarSkins();

  // The skin of that name, letter case aside; nullopt when no Skins folder
  // holds one. A name can only match a folder's entry, so it can never lead
  // outside the Skins folders.
  std::optional<SkinFolder> Find(const std::string& name);

  FileSystem& Files() { return files_; }

 private:
  FileSystem& files_;
  std::vector<std::string> skinsFolders_;
};

// path + "/" + name ("\\" when path is a Windows one, with backslashes
// only), without doubling a separator that path already ends in.
std::string JoinPath(const std::string& path, const std::string& name);

}  // namespace vesperon
