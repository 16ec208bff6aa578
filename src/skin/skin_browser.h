#pragma once

#include <string>
#include <vector>

#include "forms/controls.h"
#include "skin/skin_library.h"

namespace vesperon {

// Adds every skin to the end of the list, in the library's order, by its
// name as shown (in UTF-8, whatever the folder name's bytes), and its
// folder's own name to `names`, entry for entry; neither is cleared or
// sorted.
void ListarSkins(SkinLibrary& library, ListBox& list, std::vector<std::string>& names);

}  // namespace vesperon
