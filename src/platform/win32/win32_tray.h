#pragma once

#include <windows.h>
// windows.h first: the shell header needs its types.
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

#include "ports/platform.h"
#include "win32/message_window.h"

namespace vesperon {

// The shell's calls, as the tray makes them; tests pass recorders.
struct ShellTrayCalls {
  std::function<BOOL(DWORD message, PNOTIFYICONDATAA data)> notifyIconA;
  std::function<BOOL(DWORD message, PNOTIFYICONDATAW data)> notifyIconW;
  // Whether Explorer's taskbar, which holds the notification area, is there.
  std::function<bool()> taskbarThere;
};

ShellTrayCalls SystemShellTrayCalls();

// The record as Shell_NotifyIconA takes it, in the shell's first layout
// (NOTIFYICONDATAA_V1_SIZE: 88 bytes on 32-bit Windows, 104 on 64-bit): the
// tip converted to the system's ANSI code page, NUL-ended and padded with
// blanks, or cut to 64 bytes.
NOTIFYICONDATAA ShellRecord(const NotifyIconData& data);

// The notification-area icon through Shell_NotifyIconA. The shell posts the
// icon's mouse messages to the window named in the record, in the record's
// callback message (kTrayCallbackMessage) with the mouse message in lParam:
// they reach the clock window directly and never pass through here.
//
// When Explorer starts again (after a crash, or late at log-on) its new
// taskbar knows no icon; it tells every program with TaskbarCreated, and the
// icon is added again, so the clock can always be brought back from it.
class Win32Tray final : public SystemTray {
 public:
  explicit Win32Tray(ShellTrayCalls calls = SystemShellTrayCalls());
  Win32Tray(const Win32Tray&) = delete;
  Win32Tray& operator=(const Win32Tray&) = delete;

  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) override;
  bool TrayAvailable() override { return calls_.taskbarThere(); }
  void SetMouseMessageHandler(std::function<void(std::uint32_t)>) override {}
  void SetTrayChangeHandler(std::function<void()> handler) override {
    onTrayChange_ = std::move(handler);
  }

  // A balloon over the icon, while there is one, with the shell's icon
  // `infoIcon` (NIIF_ERROR, NIIF_WARNING, ...); false when it could not be
  // shown.
  bool ShowBalloon(const std::string& title, const std::string& text, DWORD infoIcon = NIIF_ERROR);
  // Takes the balloon shown now away.
  bool HideBalloon();

  // The hidden window that hears TaskbarCreated; for tests.
  HWND Listener() const { return listener_.Handle(); }

 private:
  bool OnMessage(UINT message);

  ShellTrayCalls calls_;
  // The record of the icon the program has asked for, whether or not a
  // taskbar took it; none before the add and after the delete.
  std::optional<NotifyIconData> record_;
  std::function<void()> onTrayChange_;
  UINT taskbarCreated_;
  MessageWindow listener_;  // last: its messages reach a whole object
};

}  // namespace vesperon
