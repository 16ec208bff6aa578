#include "app/win32/win32_shell.h"

#include <string>

#include "common/stand_aside.h"
#include "win32/gdi_drawing.h"

namespace vesperon::win32_view {

namespace {
// SWP_NOMOVE | SWP_NOSIZE.
constexpr UINT kKeepPlaceAndSize = 3;

ScreenArea AreaOf(const RECT& r) {
  return {static_cast<float>(r.left), static_cast<float>(r.top),
          static_cast<float>(r.right - r.left), static_cast<float>(r.bottom - r.top)};
}

struct AsideOf {
  HWND clock;
  RECT clockPlace;
  RECT work;
};

// Dialogs and message boxes (the dialog class, owned) of this thread that
// cover the clock move beside it; shown or still to be shown, as the dialog
// manager shows a new dialog only once its queue is empty.
BOOL CALLBACK MoveAside(HWND window, LPARAM data) {
  const auto& aside = *reinterpret_cast<const AsideOf*>(data);
  wchar_t name[8] = {};
  GetClassNameW(window, name, 8);
  if (window == aside.clock || GetWindow(window, GW_OWNER) == nullptr ||
      std::wstring(name) != L"#32770")
    return TRUE;
  RECT place;
  GetWindowRect(window, &place);
  const ScreenArea to = StandAside(AreaOf(place), AreaOf(aside.clockPlace), AreaOf(aside.work));
  SetWindowPos(window, nullptr, static_cast<int>(to.left), static_cast<int>(to.top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}
}  // namespace

HWND Win32Shell::Owner() const {
  for (auto it = open_.rbegin(); it != open_.rend(); ++it)
    if (it->second != nullptr) return it->second;
  return owner_;
}

void Win32Shell::MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) {
  // The icon's value is the box's own style bit: 16 stop, 48 exclamation,
  // 64 information.
  ++boxes_;
  MessageBoxW(Owner(), Wide(text).c_str(), Wide(title).c_str(),
              MB_OK | static_cast<UINT>(icon) | MB_SETFOREGROUND);
  --boxes_;
}

const MenuEntry* Win32Shell::PopupMenu(const MenuEntry& menu) { return menu_.Track(menu, owner_); }

const MenuEntry* Win32Shell::PopupMenuAt(const MenuEntry& menu, int x, int y) {
  POINT at{x, y};
  ClientToScreen(owner_, &at);
  return menu_.TrackAt(menu, owner_, at);
}

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
  runner->second(owner, [this, slot](HWND window) {
    open_[slot].second = window;
    if (inReach_) KeepClockInReach(true);
  });
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

void Win32Shell::KeepClockInReach(bool inReach) {
  inReach_ = inReach;
  if (owner_ == nullptr) return;
  if (!inReach) {
    if (ModalOpen()) EnableWindow(owner_, FALSE);
    return;
  }
  EndMenu();
  EnableWindow(owner_, TRUE);
  AsideOf aside{owner_, {}, {}};
  GetWindowRect(owner_, &aside.clockPlace);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  // Minimized, it comes back to its normal place.
  if (IsIconic(owner_) && GetWindowPlacement(owner_, &placement))
    aside.clockPlace = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
  aside.work = monitor.rcWork;
  EnumThreadWindows(GetCurrentThreadId(), &MoveAside, reinterpret_cast<LPARAM>(&aside));
  // A clock coming back from the tray is brought forward as it shows.
  if (IsWindowVisible(owner_)) SetForegroundWindow(owner_);
}

}  // namespace vesperon::win32_view
