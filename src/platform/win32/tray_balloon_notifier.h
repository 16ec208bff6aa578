#pragma once

#include "platform/win32/win32_tray.h"
#include "ports/desktop_notifier.h"

namespace vesperon {

// Notices as a balloon over the program's own tray icon, Windows' place for
// what a program in the tray must tell its user. Without an icon (no
// taskbar) nothing shows; the clock's message line still says what went
// wrong, and the diagnostic log says why.
//
// A balloon offers no action: the standing notice only tells, and the clock,
// which the countdown brings into sight, is where it is cancelled.
class TrayBalloonNotifier final : public DesktopNotifier {
 public:
  explicit TrayBalloonNotifier(Win32Tray& tray) : tray_(tray) {}
  void Notify(const std::string& summary, const std::string& body) override {
    tray_.ShowBalloon(summary, body);
  }
  void Announce(const std::string& summary, const std::string& body, const std::string&) override {
    up_ = tray_.ShowBalloon(summary, body, NIIF_WARNING);
  }
  void Withdraw() override {
    if (up_) tray_.HideBalloon();
    up_ = false;
  }
  void SetActionHandler(std::function<void()>) override {}

 private:
  Win32Tray& tray_;
  bool up_ = false;
};

}  // namespace vesperon
