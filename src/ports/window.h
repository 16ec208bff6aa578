#pragma once

namespace vesperon {

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
};

}  // namespace vesperon
