#include "platform/win32/session_end.h"

namespace vesperon {

// Top-level, for only those are asked. The question (WM_QUERYENDSESSION) is
// left to the default procedure, which lets the session end.
SessionEnd::SessionEnd()
    : window_(
          [this](UINT message, WPARAM wParam, LPARAM) {
            if (message != WM_ENDSESSION) return false;
            // wParam is FALSE when some other program stopped the session's end.
            if (wParam != FALSE && handler_) handler_();
            return true;
          },
          MessageWindow::Reach::Broadcasts) {}

}  // namespace vesperon
