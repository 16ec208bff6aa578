#pragma once

#include <cstdint>
#include <string>

#include "forms/picture.h"

namespace vesperon {

// The notification-area call, in the shape of Shell_NotifyIcon.

enum class NotifyMessage { Add = 0, Modify = 1, Delete = 2 };

struct NotifyIconData {
  std::uint32_t cbSize = 88;
  std::uintptr_t hWnd = 0;  // the window the icon's mouse messages go to
  std::uint32_t uID = 1;
  std::uint32_t uFlags = 7;                // message, icon and tip
  std::uint32_t uCallbackMessage = 0x200;  // WM_MOUSEMOVE
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
