#pragma once

#include "forms/picture.h"

namespace vesperon {

// The screen-wide mouse pointer: the default arrow, or a custom picture.
enum class MousePointer { Default = 0, Custom = 99 };

// What the main window needs from the windowing system beyond its model.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual float TwipsPerPixelX() = 0;
  virtual float TwipsPerPixelY() = 0;
  virtual float ScreenWidthTwips() = 0;
  virtual float ScreenHeightTwips() = 0;
  // Puts the main window into, or out of, the always-on-top band.
  virtual void SetTopmost(bool topmost) = 0;
  // The pointer shown over the program's windows; `custom` is the picture
  // of the Custom pointer.
  virtual void SetMousePointer(MousePointer pointer, const Picture& custom) = 0;
};

}  // namespace vesperon
