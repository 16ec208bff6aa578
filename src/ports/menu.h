#pragma once

#include <string>
#include <vector>

#include "ports/picture.h"

namespace vesperon {

// One entry of a menu. A caption of "-" makes a separator; an entry with
// children opens them as a sub-menu. `picture` is drawn beside the entry
// while it is unchecked. Children are the window's own entries, so a menu
// tree lives exactly as long as the window that owns it.
struct MenuEntry {
  std::string caption;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  Picture picture{};
  std::vector<MenuEntry*> children{};

  bool IsSeparator() const { return caption == "-"; }
};

}  // namespace vesperon
