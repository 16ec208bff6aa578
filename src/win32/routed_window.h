#pragma once

#include <windows.h>

namespace vesperon {

// The windows of this program send their messages to the object that made
// them: the object keeps the window, the window a pointer to the object.

// Registers the window class `name` with the default procedure; true also
// when it is registered already.
bool RegisterWindowClass(const wchar_t* name, UINT style = 0, HCURSOR cursor = nullptr);

template <class Owner>
LRESULT CALLBACK RoutedProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (owner == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return owner->OnMessage(message, wParam, lParam);
}

// From now on `window`'s messages go to owner.OnMessage(message, wParam,
// lParam). Set once the window is made, so no message reaches a half-made
// owner.
template <class Owner>
void RouteMessages(HWND window, Owner& owner) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&owner));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RoutedProcedure<Owner>));
}

// Destroys the window without a word more to its owner, which is going.
void DestroyRoutedWindow(HWND window);

}  // namespace vesperon
