#pragma once

#include <windows.h>

#include <string>

#include "app/frm_main.h"

namespace vesperon::win32_view {

// What assistive technology sees of the clock window through Active
// Accessibility: the system's own object for the window (named by its
// title), described by what the clock shows of the shutdown, with the
// controls of the face as its first children, each named as the tip it
// shows; the "!" button follows as the system presents it.
class ClockAccessibility {
 public:
  explicit ClockAccessibility(const FrmMain& model) : model_(model) {}

  // The answer to WM_GETOBJECT; 0 for what the default procedure answers.
  LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam);
  // Tells assistive technology of a new description, or a new message on
  // the message line.
  void Sync(HWND window);

 private:
  const FrmMain& model_;
  std::string description_;
  std::string message_;
  bool comStarted_ = false;
};

}  // namespace vesperon::win32_view
