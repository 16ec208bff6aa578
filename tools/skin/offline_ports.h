#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "forms/timer.h"
#include "ports/clock.h"
#include "ports/desktop_notifier.h"
#include "ports/diagnostics.h"
#include "ports/environment.h"
#include "ports/power_api.h"
#include "ports/registry.h"
#include "ports/settings_store.h"
#include "ports/shell.h"
#include "ports/speaker.h"
#include "ports/tray.h"
#include "ports/window.h"

namespace vesperon::skintool {

// The world of a clock that is only drawn, never run: a fixed time, timers
// that never tick, nothing stored, nothing reached. Nothing here can power
// anything off.

class FixedClock : public Clock {
 public:
  FixedClock(int hour, int minute, int second) : hour_(hour), minute_(minute), second_(second) {}
  LocalDateTime Now() override {
    LocalDateTime t;
    t.date = std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{1},
                                         std::chrono::day{1}};
    t.hour = hour_;
    t.minute = minute_;
    t.second = second_;
    return t;
  }
  std::string LocaleTimeText(const LocalDateTime& t) override {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
  }
  std::string ShortDateText(std::chrono::year_month_day) override { return {}; }
  std::optional<std::chrono::year_month_day> ParseShortDate(const std::string&) override {
    return std::nullopt;
  }

 private:
  int hour_, minute_, second_;
};

class IdleTimers : public TimerPort {
 public:
  void Start(Timer&) override {}
  void Stop(Timer&) override {}
};

class NoSettings : public SettingsStore {
 public:
  std::string Read(const std::string&, const std::string&, const std::string&,
                   const std::string& defaultValue) override {
    return defaultValue;
  }
  bool Write(const std::string&, const std::string&, const std::string&,
             const std::string&) override {
    return false;
  }
};

class FixedScreen : public WindowSystem {
 public:
  float TwipsPerPixelX() override { return 15; }
  float TwipsPerPixelY() override { return 15; }
  float ScreenWidthTwips() override { return 1024 * 15; }
  float ScreenHeightTwips() override { return 768 * 15; }
  std::vector<ScreenArea> Screens() override { return {{0, 0, 1024 * 15, 768 * 15}}; }
  void SetTopmost(bool) override {}
  void BringToFront() override {}
  void SetMousePointer(MousePointer, const Picture&) override {}
};

class NoPower : public PowerApi {
 public:
  Handle GetCurrentProcess() override { return 0; }
  bool OpenProcessToken(Handle, std::uint32_t, Handle&) override { return false; }
  bool LookupPrivilegeValueA(const std::string&, const std::string&, Luid&) override {
    return false;
  }
  bool AdjustTokenPrivileges(Handle, bool, const TokenPrivileges&, std::uint32_t, TokenPrivileges&,
                             std::uint32_t&) override {
    return false;
  }
  bool ExitWindowsEx(std::uint32_t, std::uint32_t) override { return false; }
};

class Silence : public Speaker {
 public:
  void Play(const Melody&) override {}
};

class NoRegistry : public Registry {
 public:
  long RegOpenKeyExA(RegKey, const std::string&, std::uint32_t, RegKey&) override {
    return kErrorAccessDenied;
  }
  long RegCreateKeyA(RegKey, const std::string&, RegKey&) override { return kErrorAccessDenied; }
  long RegQueryValueExA(RegKey, const std::string&, std::uint32_t&, std::string&) override {
    return kErrorInvalidHandle;
  }
  long RegSetValueExA(RegKey, const std::string&, std::uint32_t, const std::string&) override {
    return kErrorInvalidHandle;
  }
  long RegDeleteValueA(RegKey, const std::string&) override { return kErrorInvalidHandle; }
  long RegCloseKey(RegKey) override { return kErrorInvalidHandle; }
};

class ToolEnvironment : public Environment {
 public:
  std::string ArgumentText() override { return {}; }
  bool PrevInstance() override { return false; }
  std::string ProgramFilePath() override { return {}; }
  bool VisibleFileExists(const std::string&) override { return false; }
  std::optional<std::string> AskRunningCopy(const std::string&,
                                            std::chrono::milliseconds) override {
    return std::nullopt;
  }
  void AnswerLaterStarts(RequestHandler) override {}
  bool StartHiddenCopy() override { return false; }
  bool WaitUntilNoCopyRuns() override { return true; }
};

class NoTray : public TrayPort {
 public:
  bool ShellNotifyIcon(NotifyMessage, const NotifyIconData&) override { return true; }
  bool TrayAvailable() override { return true; }
};

class NoNotices : public DesktopNotifier {
 public:
  void Notify(const std::string&, const std::string&) override {}
  void Announce(const std::string&, const std::string&, const std::string&) override {}
  void Withdraw() override {}
  void SetActionHandler(std::function<void()>) override {}
};

// Diagnostic lines on standard error.
class ReportedLines : public Diagnostics {
 public:
  void Report(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }
};

// Message boxes become lines on standard error.
class PrintingShell : public Shell {
 public:
  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon) override {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool lineEnd = text.compare(i, 2, "\r\n") == 0;
      line += lineEnd ? ' ' : text[i];
      i += lineEnd ? 1 : 0;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), line.c_str());
  }
  // A face that is only drawn has no menu and no dialogs to open.
  const MenuEntry* PopupMenu(const MenuEntry&) override { return nullptr; }
  const MenuEntry* PopupMenuAt(const MenuEntry&, int, int) override { return nullptr; }
  void ShowModal(Dialog) override {}
  void CloseAll() override {}
  void BringToFront(Dialog) override {}
  void KeepClockInReach(bool) override {}
};

}  // namespace vesperon::skintool
