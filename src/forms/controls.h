#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ports/picture.h"

namespace vesperon {

// Pixel rectangle inside a window's face.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  bool Contains(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Image {
  Picture picture;
  bool visible = true;
  Rect rect;
  std::string tooltip;
};

struct Label {
  std::string caption;
  bool visible = true;
  Rect rect;
  bool bold = false;
};

// A captioned frame drawn round other controls.
struct Frame {
  std::string caption;
  Rect rect;
};

struct Button {
  std::string caption;
  bool visible = true;
  bool enabled = true;
  Rect rect;
};

struct CheckBox {
  std::string caption;
  bool value = false;  // checked
  bool enabled = true;
  Rect rect;
};

// The entries of a list and the one selected: listIndex is its position,
// -1 while none is.
struct ListControl {
  std::vector<std::string> items;
  int listIndex = -1;
  bool enabled = true;
  Rect rect;

  // The selected entry's text; nullopt while none is selected.
  std::optional<std::string> Selected() const {
    if (listIndex < 0 || listIndex >= static_cast<int>(items.size())) return std::nullopt;
    return items[static_cast<std::size_t>(listIndex)];
  }
};

// A drop-down list: one entry shows, the others open below it.
struct ComboBox : ListControl {};

// A list showing its entries in a box, one selectable at a time.
struct ListBox : ListControl {};

// Mouse buttons as the handlers receive them.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

}  // namespace vesperon
