#pragma once

#include "forms/controls.h"
#include "skin/skin_library.h"

namespace vesperon {

// Adds the name of every skin to the end of the list, in the library's
// order; the list is neither cleared nor sorted.
void ListarSkins(SkinLibrary& library, ListBox& list);

}  // namespace vesperon
