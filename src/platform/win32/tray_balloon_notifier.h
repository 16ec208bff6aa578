#pragma once

#include "platform/win32/win32_tray.h"
#include "ports/desktop_notifier.h"

namespace vesperon {

// Notices as a balloon over the program's own tray icon, Windows' place for
// what a program in the tray must tell its user. Without an icon (no
// taskbar) nothing shows; the clock's message line still says what went
// wrong, and the diagnostic log says why.
class TrayBalloonNotifier final : public DesktopNotifier {
 public:
  explicit TrayBalloonNotifier(Win32Tray& tray) : tray_(tray) {}
  void Notify(const std::string& summary, const std::string& body) override {
    tray_.ShowBalloon(summary, body);
  }

 private:
  Win32Tray& tray_;
};

}  // namespace vesperon
