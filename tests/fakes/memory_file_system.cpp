#include "memory_file_system.h"

#include <algorithm>

#include "skin/skin_format.h"

namespace vesperon {

namespace {

std::pair<std::string, std::string> Split(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {"", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

std::optional<std::vector<FolderEntry>> MemoryFileSystem::ListFolder(const std::string& path) {
  const auto it = nodes_.find(path);
  if (it == nodes_.end() || !it->second.isFolder) return std::nullopt;
  std::vector<FolderEntry> entries;
  for (const std::string& name : it->second.children) {
    const std::string child = path == "/" ? "/" + name : path + "/" + name;
    entries.push_back({name, nodes_.at(child).isFolder});
  }
  return entries;
}

FileBytes MemoryFileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
  const auto it = nodes_.find(path);
  if (it == nodes_.end()) return {FileReadStatus::Missing, {}};
  if (it->second.isFolder) return {FileReadStatus::NotAFile, {}};
  if (it->second.bytes.size() > maxBytes) return {FileReadStatus::TooLarge, {}};
  return {FileReadStatus::Ok, it->second.bytes};
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  if (nodes_.count(path) != 0) return;
  const auto [parent, name] = Split(path);
  if (!parent.empty() && parent != path) {
    AddFolder(parent);
    nodes_[parent].children.push_back(name);
  }
  nodes_[path].isFolder = true;
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  const auto [parent, name] = Split(path);
  if (nodes_.count(path) == 0) {
    AddFolder(parent);
    nodes_[parent].children.push_back(name);
  }
  nodes_[path] = Node{false, bytes, {}};
}

void MemoryFileSystem::Remove(const std::string& path) {
  const auto [parent, name] = Split(path);
  auto& siblings = nodes_[parent].children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), name), siblings.end());
  nodes_.erase(path);
}

void MemoryFileSystem::AddSkin(const std::string& folder,
                               const std::map<std::string, std::string>& pictures) {
  AddFolder(folder);
  for (const SkinPictureFile& wanted : kSkinFiles) {
    const int w = wanted.width == 0 ? 32 : wanted.width;
    const int h = wanted.height == 0 ? 32 : wanted.height;
    AddFile(folder + "/" + wanted.name, "picture " + std::to_string(w) + "x" + std::to_string(h));
  }
  for (const auto& [name, bytes] : pictures) {
    if (bytes.empty())
      Remove(folder + "/" + name);
    else
      AddFile(folder + "/" + name, bytes);
  }
}

}  // namespace vesperon
