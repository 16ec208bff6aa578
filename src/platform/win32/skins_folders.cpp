#include "platform/win32/skins_folders.h"

#include <windows.h>
// windows.h first: the shell header needs its types.
#include <shlobj.h>

#include "win32/wide_text.h"

namespace vesperon {

std::vector<std::string> SkinsFolders(const std::string& programFile,
                                      const std::string& userFolder) {
  std::vector<std::string> folders;
  const std::size_t separator = programFile.find_last_of("\\/");
  if (separator != std::string::npos)
    folders.push_back(programFile.substr(0, separator) + "\\Skins");
  if (!userFolder.empty()) folders.push_back(userFolder + "\\Skins");
  return folders;
}

std::string UserVesperonFolder() {
  PWSTR folder = nullptr;
  std::string path;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK)
    path = Narrow(folder) + "\\Vesperon";
  CoTaskMemFree(folder);
  return path;
}

}  // namespace vesperon
