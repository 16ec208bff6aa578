#pragma once

#include <windows.h>

#include <functional>

#include "ports/platform.h"
#include "win32/message_window.h"

namespace vesperon {

// The end of the user's session as a request to close. Windows asks every
// top-level window whether the session may end (it may: nothing here holds
// it up) and then tells them that it ends; the handler runs then, on the
// message loop, and the process may be ended as soon as it returns. The
// window that hears this is hidden and of its own, so the request comes
// whether the clock is shown, hidden in the tray, or not made yet.
class SessionEnd final : public TerminationRequests {
 public:
  SessionEnd();

  void SetHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  // Null when no window could be made (no desktop): nothing then arrives.
  HWND Window() const { return window_.Handle(); }

 private:
  std::function<void()> handler_;
  MessageWindow window_;
};

}  // namespace vesperon
