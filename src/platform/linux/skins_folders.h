#pragma once

#include <string>
#include <vector>

namespace vesperon {

// Where skins are looked for, earlier folders first: "Skins" beside the
// program file (a build tree or an unpacked copy), the user's own
// $XDG_DATA_HOME/vesperon/Skins, and the installed data folder, found both
// relative to the program file (an install that was moved) and where the
// build put it (`installedSkins`).
std::vector<std::string> SkinsFolders(const std::string& programFile,
                                      const std::string& installedSkins);

// The user's own Skins folder, $XDG_DATA_HOME/vesperon/Skins (by default
// ~/.local/share/vesperon/Skins); empty when neither names an absolute folder.
std::string UserSkinsFolder();

}  // namespace vesperon
