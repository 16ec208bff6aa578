#pragma once

#include <string>

#include "forms/picture.h"

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

// Mouse buttons as the handlers receive them.
enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

}  // namespace vesperon
