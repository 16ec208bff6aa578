#include "skin/mod_skin.h"

namespace vesperon {

bool ComprobarSkin(const std::string&) { return false; }

bool CargarSkin(FrmMain&, const std::string&) { return false; }

}  // namespace vesperon
