#pragma once

#include <cstdint>
#include <string>

#include "ports/picture.h"

namespace vesperon {

// The design's windows are laid out at 96 dots per inch: 15 twips to the
// pixel. (The clock window takes the screen's own figure from the window
// system.)
inline constexpr float kTwipsPerPixel = 15;

enum class WindowState { Normal = 0, Minimized = 1 };

// What every window has: place and size in twips, state, visibility, icon.
struct Form {
  std::string caption;
  float left = 0;  // twips
  float top = 0;
  float width = 0;
  float height = 0;
  WindowState windowState = WindowState::Normal;
  bool visible = false;
  bool loaded = false;
  Picture icon;
  // The window on screen, as its view made it (a Win32 HWND); 0 when the
  // view has no such handle.
  std::uintptr_t hWnd = 0;
};

}  // namespace vesperon
