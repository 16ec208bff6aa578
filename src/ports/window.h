#pragma once

#include <vector>

#include "ports/picture.h"

namespace vesperon {

// Where one screen lies on the desktop, in twips; the first is the primary.
struct ScreenArea {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

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
  // Every screen there is now, less the desktop's own panels.
  virtual std::vector<ScreenArea> Screens() = 0;
  // Puts the main window into, or out of, the always-on-top band.
  virtual void SetTopmost(bool topmost) = 0;
  // Whether the program places its window and learns where it stands. Where
  // it cannot (a Wayland compositor keeps both to itself), the window is
  // dragged by the windowing system and no position is stored.
  virtual bool PlacesWindow() { return true; }
  // Hands the drag that the left button held on the window starts to the
  // windowing system; asked only where the program cannot place its window.
  virtual void StartSystemMove() {}
  // Brings the main window above the other windows, with the keyboard,
  // once it is on screen (it may be shown only after this call).
  virtual void BringToFront() = 0;
  // The pointer shown over the program's windows; `custom` is the picture
  // of the Custom pointer.
  virtual void SetMousePointer(MousePointer pointer, const Picture& custom) = 0;
};

}  // namespace vesperon
