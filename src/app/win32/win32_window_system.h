#pragma once

#include <windows.h>

#include "ports/window.h"

namespace vesperon::win32_view {

// Screen metrics in twips (1440 per inch of the system's dots per inch: 15
// per pixel at 96), the always-on-top band and the mouse pointer, for the
// clock window.
class Win32WindowSystem : public WindowSystem {
 public:
  float TwipsPerPixelX() override;
  float TwipsPerPixelY() override;
  float ScreenWidthTwips() override;
  float ScreenHeightTwips() override;
  std::vector<ScreenArea> Screens() override;
  // SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, no move, no size.
  void SetTopmost(bool topmost) override;
  // The foreground window, if Windows lets it be: a later start of the
  // program, which the user has just started, allows it.
  void BringToFront() override;
  void SetMousePointer(MousePointer pointer, const Picture& custom) override;

  // The window SetTopmost acts on; a choice made before it exists is applied
  // when it is attached.
  void Attach(HWND window);

  // The pointer to show over the clock now, for its WM_SETCURSOR.
  HCURSOR Pointer() const;

 private:
  void Apply();

  HWND window_ = nullptr;
  bool topmost_ = false;
  bool topmostChosen_ = false;
  HCURSOR custom_ = nullptr;
};

}  // namespace vesperon::win32_view
