#pragma once

#include <string>

namespace vesperon {

class FrmMain;

// Checks a skin folder (the name followed by one backslash) and loads it into
// the clock window. This edition reads no skin folders yet: the check refuses
// every skin, so the built-in look stays and the stored name is left alone.
bool ComprobarSkin(const std::string& skin);
bool CargarSkin(FrmMain& window, const std::string& skin);

}  // namespace vesperon
