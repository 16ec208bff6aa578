#include "platform/linux/skins_folders.h"

#include <algorithm>
#include <cstdlib>

namespace vesperon {

namespace {

std::string Parent(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& rest) {
  return folder == "/" ? "/" + rest : folder + "/" + rest;
}

std::string UserDataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return data;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return Join(home, ".local/share");
  return {};
}

}  // namespace

std::string UserSkinsFolder() {
  const std::string data = UserDataHome();
  return data.empty() ? data : Join(data, "vesperon/Skins");
}

std::vector<std::string> SkinsFolders(const std::string& programFile,
                                      const std::string& installedSkins) {
  std::vector<std::string> folders;
  auto add = [&folders](const std::string& folder) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(folder);
  };
  const std::string programFolder = Parent(programFile);
  add(Join(programFolder, "Skins"));
  add(UserSkinsFolder());
  add(Join(Parent(programFolder), "share/vesperon/Skins"));
  add(installedSkins);
  return folders;
}

}  // namespace vesperon
