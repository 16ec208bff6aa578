#include "skin/skin_library.h"

#include <utility>

namespace vesperon {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace

std::optional<std::string> MatchIgnoringCase(const std::vector<FolderEntry>& entries,
                                             const std::string& name, bool foldersOnly) {
  std::optional<std::string> best;
  for (const FolderEntry& entry : entries) {
    if (foldersOnly && !entry.isFolder) continue;
    if (entry.name == name) return entry.name;
    if (SameIgnoringCase(entry.name, name) && (!best || entry.name < *best)) best = entry.name;
  }
  return best;
}

std::vector<std::string> CaseVariants(const std::vector<FolderEntry>& entries,
                                      const std::string& name) {
  std::vector<std::string> variants;
  for (const FolderEntry& entry : entries)
    if (SameIgnoringCase(entry.name, name)) variants.push_back(entry.name);
  return variants;
}

// A Windows path names its folders with backslashes, and the name is joined
// the same way, so the paths shown to the user read as the system's own.
std::string JoinPath(const std::string& path, const std::string& name) {
  const bool backslashes =
      path.find('\\') != std::string::npos && path.find('/') == std::string::npos;
  if (!path.empty() && (path.back() == '/' || (backslashes && path.back() == '\\')))
    return path + name;
  return path + (backslashes ? "\\" : "/") + name;
}

SkinLibrary::SkinLibrary(FileSystem& files, std::vector<std::string> skinsFolders)
    : files_(files), skinsFolders_(std::move(skinsFolders)) {}

std::vector<SkinFolder> SkinLibrary::ListarSkins() {
  std::vector<SkinFolder> skins;
  for (const std::string& folder : skinsFolders_) {
    const auto entries = files_.ListFolder(folder);
    if (!entries) continue;
    const std::size_t fromEarlierFolders = skins.size();
    for (const FolderEntry& entry : *entries) {
      if (!entry.isFolder) continue;
      bool hidden = false;
      for (std::size_t i = 0; i < fromEarlierFolders && !hidden; ++i)
        hidden = SameIgnoringCase(skins[i].name, entry.name);
      if (!hidden) skins.push_back({entry.name, JoinPath(folder, entry.name)});
    }
  }
  return skins;
}

std::optional<SkinFolder> SkinLibrary::Find(const std::string& name) {
  if (name.empty()) return std::nullopt;
  for (const std::string& folder : skinsFolders_) {
    const auto entries = files_.ListFolder(folder);
    if (!entries) continue;
    if (const auto real = MatchIgnoringCase(*entries, name, true))
      return SkinFolder{*real, JoinPath(folder, *real)};
  }
  return std::nullopt;
}

}  // namespace vesperon
