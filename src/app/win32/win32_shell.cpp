#include "app/win32/win32_shell.h"

#include "app/win32/gdi_drawing.h"

namespace vesperon {

namespace {
// SWP_NOMOVE | SWP_NOSIZE.
constexpr UINT kKeepPlaceAndSize = 3;
}  // namespace

HWND Win32Shell::Owner() const {
  for (auto it = open_.rbegin(); it != open_.rend(); ++it)
    if (it->second != nullptr) return it->second;
  return owner_;
}

void Win32Shell::MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) {
  // The icon's value is the box's own style bit: 16 stop, 48 exclamation,
  // 64 information.
  MessageBoxW(Owner(), Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | static_cast<UINT>(icon) | MB_SETFOREGROUND);
}

const MenuEntry* Win32Shell::PopupMenu(const MenuEntry& menu) { return menu_.Track(menu, owner_); }

namespace {
// Message boxes and the dialogs the dialog manager runs are windows of the
// system's dialog class; Cancel closes each as Escape would, through the
// dialog's own handling.
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
  wchar_t name[8] = {};
  if (GetClassNameW(window, name, 8) > 0 && lstrcmpW(name, L"#32770") == 0)
    SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}
}  // namespace

void Win32Shell::CloseAll() {
  // The menu's loop first: it takes every input while it runs.
  EndMenu();
  EnumThreadWindows(GetCurrentThreadId(), &CancelDialog, 0);
}

void Win32Shell::ShowModal(Dialog dialog) {
  const auto runner = runners_.find(dialog);
  if (runner == runners_.end()) return;
  const HWND owner = Owner();
  const std::size_t slot = open_.size();
  open_.emplace_back(dialog, nullptr);
  runner->second(owner, [this, slot](HWND window) { open_[slot].second = window; });
  open_.pop_back();
}

HWND Win32Shell::OpenDialog(Dialog dialog) const {
  for (auto it = open_.rbegin(); it != open_.rend(); ++it)
    if (it->first == dialog) return it->second;
  return nullptr;
}

void Win32Shell::BringToFront(Dialog dialog) {
  const HWND window = OpenDialog(dialog);
  if (window == nullptr) return;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
  SetForegroundWindow(window);
}

}  // namespace vesperon
