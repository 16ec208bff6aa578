#pragma once

#include <string>
#include <vector>

namespace vesperon {

// Where skins are looked for on Windows, earlier folders first: "Skins"
// beside the program file, where the zip puts the sample skins, and the
// user's own %APPDATA%\Vesperon\Skins (`userFolder`: %APPDATA%\Vesperon, empty
// when there is none).
std::vector<std::string> SkinsFolders(const std::string& programFile,
                                      const std::string& userFolder);

// %APPDATA%\Vesperon: the roaming part of the user's profile, which follows
// the user from machine to machine as the settings in HKEY_CURRENT_USER do.
// Empty when Windows names no such folder.
std::string UserVesperonFolder();

}  // namespace vesperon
