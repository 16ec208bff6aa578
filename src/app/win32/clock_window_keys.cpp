#include <windowsx.h>

#include <optional>

#include "app/win32/clock_window.h"

namespace vesperon::win32_view {

namespace {

using Key = ClockKeyboard::Key;

// The keys the clock answers, by their virtual-key codes: '+' and '-' of
// the main block (whatever the layout puts with them) and of the keypad.
std::optional<Key> KeyOf(WPARAM virtualKey, bool shift) {
  switch (virtualKey) {
    case VK_RETURN:
      return Key::Enter;
    case VK_TAB:
      return shift ? Key::BackTab : Key::Tab;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_ADD:
    case VK_OEM_PLUS:
      return Key::Plus;
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
      return Key::Minus;
    case VK_SPACE:
      return Key::Space;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_F1:
      return Key::F1;
    case VK_APPS:
      return Key::Menu;
    default:
      return std::nullopt;
  }
}

bool Held(int virtualKey) { return GetKeyState(virtualKey) < 0; }

}  // namespace

// The menu key and Shift+F10 are taken here, down and up, so that the
// default procedure never makes a second menu of them (WM_CONTEXTMENU) nor
// opens the system menu for F10; a WM_CONTEXTMENU from the keyboard that
// comes all the same (from another program, or a tool) opens the one menu.
bool ClockWindow::OnKeyboard(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool overModal = modalOpen_ && modalOpen_();
  // Bit 30: the key was down already, and this is the keyboard's repeat.
  const bool repeated = (lParam & (1L << 30)) != 0;
  std::optional<Key> key;
  switch (message) {
    case WM_KEYDOWN:
      // With Control the keys are the desktop's shortcuts, not the clock's.
      if (!Held(VK_CONTROL)) key = KeyOf(wParam, Held(VK_SHIFT));
      break;
    case WM_SYSKEYDOWN:
      // F10 without Alt comes as a system key.
      if (wParam == VK_F10 && Held(VK_SHIFT) && !Held(VK_MENU)) key = Key::Menu;
      break;
    case WM_CONTEXTMENU:
      if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return false;
      keys_.Press(Key::Menu, false, overModal);
      Sync();
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      keys_.Release();
      Sync();
      return wParam == VK_APPS || (wParam == VK_F10 && Held(VK_SHIFT));
    case WM_KILLFOCUS:
      // The releases of the keys still down go elsewhere now.
      keys_.Release();
      Sync();
      return false;
    default:
      return false;
  }
  if (!key) return false;
  keys_.Press(*key, repeated, overModal);
  Sync();
  return true;
}

}  // namespace vesperon::win32_view
