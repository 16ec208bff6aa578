#pragma once

#include <windows.h>

#include <functional>

namespace vesperon {

// A message-only window: an address on this thread's message loop for
// timers and posted work. It needs no desktop, and modal loops (message
// boxes, menus, dialogs) dispatch its messages too, where bare thread
// messages would be lost.
class MessageWindow {
 public:
  // True when the message was handled; the rest go to the default procedure.
  using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

  // Who can reach the window: this thread's own code, or also the system's
  // broadcasts (which only top-level windows hear; such a window is never
  // shown and has no taskbar button).
  enum class Reach { Thread, Broadcasts };

  explicit MessageWindow(Handler handler, Reach reach = Reach::Thread);
  ~MessageWindow();
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;

  // Null when the window could not be made; nothing then arrives.
  HWND Handle() const { return window_; }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:

  Handler handler_;
  HWND window_ = nullptr;
};

}  // namespace vesperon
