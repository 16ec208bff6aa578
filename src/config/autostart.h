#pragma once

#include <string>

#include "ports/environment.h"
#include "ports/registry.h"
#include "ports/run_keys.h"

namespace vesperon {

// Registers the program to start with the user's session: the value
// valueName under the Run key (kind 1) holds the program path and " /autostart".
// An empty programPath means this program's own file.
void RegistrarAutoInicio(Registry& registry, Environment& environment, const std::string& valueName,
                         const std::string& programPath, int kind, bool overwrite);

// Removes that value again; a value that cannot be read is left alone.
void QuitarAutoInicio(Registry& registry, const std::string& valueName, int kind);

// Whether the entry is as the user asked: wanted, it starts this program's
// own file; not wanted, there is none that can be read. The registration
// calls report nothing, so this is how a caller learns that one failed.
bool AutoStartAsWanted(Registry& registry, Environment& environment, const std::string& valueName,
                       int kind, bool wanted);

// False when this user has no right to change the start key at all (a
// machine-wide key and no administrator): then the entry simply is not
// made, and nobody is told, as it always was.
bool MayChangeAutoStart(Registry& registry, int kind);

}  // namespace vesperon
