#include "platform/win32/session_end.h"

namespace vesperon {

namespace {

constexpr wchar_t kClassName[] = L"VesperonSessionEnd";

ATOM RegisterOnce() {
  static const ATOM atom = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
  }();
  return atom;
}

}  // namespace

SessionEnd::SessionEnd() {
  if (RegisterOnce() == 0) return;
  // Top-level, for only those are asked; never shown, and no taskbar button.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Vesperon", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
}

SessionEnd::~SessionEnd() {
  if (window_ == nullptr) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK SessionEnd::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<SessionEnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr) {
    if (message == WM_QUERYENDSESSION) return TRUE;
    // wParam is FALSE when some other program stopped the session's end.
    if (message == WM_ENDSESSION) {
      if (wParam != FALSE && self->handler_) self->handler_();
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vesperon
