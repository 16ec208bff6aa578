#pragma once

#include <cstdint>
#include <string>

#include "ports/picture.h"

namespace vesperon {

// The notification-area call, in the shape of Shell_NotifyIcon.

enum class NotifyMessage { Add = 0, Modify = 1, Delete = 2 };

// The mouse messages of the icon that mean something: a left button pressed
// (WM_LBUTTONDOWN) and a right button released (WM_RBUTTONUP) over it.
inline constexpr std::uint32_t kTrayLeftButtonDown = 513;
inline constexpr std::uint32_t kTrayRightButtonUp = 517;

// The message the icon's mouse messages come in, WM_APP + 1: one of the
// window's own, which nothing else sends it. Were it WM_MOUSEMOVE, as the
// shell allows, a real move of the mouse could pass for a click on the icon.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x8000 + 1;

struct NotifyIconData {
  std::uint32_t cbSize = 88;
  std::uintptr_t hWnd = 0;  // the window the icon's mouse messages go to
  std::uint32_t uID = 1;
  std::uint32_t uFlags = 7;  // message, icon and tip
  std::uint32_t uCallbackMessage = kTrayCallbackMessage;
  Picture hIcon;
  std::string szTip;  // 64 bytes: text, NUL, blanks
};

class TrayPort {
 public:
  virtual ~TrayPort() = default;
  virtual bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) = 0;
  // Whether the desktop has a notification area to show the icon in now.
  // Without one, a window hidden to the tray could not be brought back.
  virtual bool TrayAvailable() = 0;
};

}  // namespace vesperon
