#include "win32/message_window.h"

#include "win32/routed_window.h"

namespace vesperon {

namespace {

constexpr wchar_t kClassName[] = L"VesperonMessageWindow";

}  // namespace

MessageWindow::MessageWindow(Handler handler, Reach reach) : handler_(std::move(handler)) {
  if (!RegisterWindowClass(kClassName)) return;
  if (reach == Reach::Thread)
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  else
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  RouteMessages(window_, *this);
}

MessageWindow::~MessageWindow() { DestroyRoutedWindow(window_); }

LRESULT MessageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (handler_(message, wParam, lParam)) return 0;
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace vesperon
