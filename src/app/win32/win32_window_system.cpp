#include "app/win32/win32_window_system.h"

#include "win32/win32_picture_loader.h"

namespace vesperon::win32_view {

namespace {

constexpr float kTwipsPerInch = 1440.0f;
// SWP_NOMOVE | SWP_NOSIZE.
constexpr UINT kKeepPlaceAndSize = 3;

float SystemDpi() {
  const UINT dpi = GetDpiForSystem();
  return dpi == 0 ? 96.0f : static_cast<float>(dpi);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    auto& areas = *reinterpret_cast<std::vector<std::pair<bool, RECT>>*>(data);
    areas.emplace_back((info.dwFlags & MONITORINFOF_PRIMARY) != 0, info.rcWork);
  }
  return TRUE;
}

}  // namespace

float Win32WindowSystem::TwipsPerPixelX() { return kTwipsPerInch / SystemDpi(); }
float Win32WindowSystem::TwipsPerPixelY() { return kTwipsPerInch / SystemDpi(); }

float Win32WindowSystem::ScreenWidthTwips() {
  return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX();
}

float Win32WindowSystem::ScreenHeightTwips() {
  return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY();
}

// Each monitor's work area, less the taskbar; the primary first.
std::vector<ScreenArea> Win32WindowSystem::Screens() {
  std::vector<std::pair<bool, RECT>> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  const float tppX = TwipsPerPixelX();
  const float tppY = TwipsPerPixelY();
  std::vector<ScreenArea> areas;
  for (const bool primary : {true, false}) {
    for (const auto& [isPrimary, r] : monitors) {
      if (isPrimary != primary) continue;
      areas.push_back({static_cast<float>(r.left) * tppX, static_cast<float>(r.top) * tppY,
                       static_cast<float>(r.right - r.left) * tppX,
                       static_cast<float>(r.bottom - r.top) * tppY});
    }
  }
  return areas;
}

void Win32WindowSystem::SetTopmost(bool topmost) {
  topmost_ = topmost;
  topmostChosen_ = true;
  Apply();
}

void Win32WindowSystem::BringToFront() {
  // A window still hidden comes to the front when it is shown.
  if (window_ != nullptr && IsWindowVisible(window_)) SetForegroundWindow(window_);
}

void Win32WindowSystem::Attach(HWND window) {
  window_ = window;
  if (topmostChosen_) Apply();
}

void Win32WindowSystem::Apply() {
  if (window_ == nullptr) return;
  SetWindowPos(window_, topmost_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
}

void Win32WindowSystem::SetMousePointer(MousePointer pointer, const Picture& custom) {
  const HCURSOR wanted = pointer == MousePointer::Custom ? CursorOf(custom) : nullptr;
  if (wanted == custom_) return;
  custom_ = wanted;
  // Shown at once when the mouse is over the clock; WM_SETCURSOR keeps it.
  POINT at{};
  if (window_ != nullptr && GetCursorPos(&at) && WindowFromPoint(at) == window_)
    SetCursor(Pointer());
}

HCURSOR Win32WindowSystem::Pointer() const {
  return custom_ != nullptr ? custom_ : LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace vesperon::win32_view
