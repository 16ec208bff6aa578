#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ports/desktop_notifier.h"
#include "ports/diagnostics.h"
#include "ports/power_api.h"
#include "ports/shell.h"
#include "ports/speaker.h"
#include "ports/tray.h"
#include "ports/window.h"

namespace vesperon {

// Records every power-off call with its arguments; never powers anything off.
class RecordingPowerApi : public PowerApi {
 public:
  Handle GetCurrentProcess() override;
  bool OpenProcessToken(Handle process, std::uint32_t desiredAccess, Handle& token) override;
  bool LookupPrivilegeValueA(const std::string& systemName, const std::string& name,
                             Luid& luid) override;
  bool AdjustTokenPrivileges(Handle token, bool disableAllPrivileges,
                             const TokenPrivileges& newState, std::uint32_t bufferLength,
                             TokenPrivileges& previousState, std::uint32_t& returnLength) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;

  // One line per call, e.g. "OpenProcessToken(process=7, access=0x28)".
  std::vector<std::string> calls;
  bool succeed = true;
  TokenPrivileges lastPrivileges;
  std::function<void()> onExitWindows;
  int ExitRequests() const;
};

class RecordingSpeaker : public Speaker {
 public:
  void Play(const Melody& melody) override;
  std::vector<Melody> played;
  std::function<void(const Melody&)> onPlay;
};

class RecordingTray : public TrayPort {
 public:
  struct Call {
    NotifyMessage message;
    NotifyIconData data;
  };
  bool ShellNotifyIcon(NotifyMessage message, const NotifyIconData& data) override;
  bool TrayAvailable() override { return available; }
  std::vector<Call> calls;
  bool available = true;
};

// Message boxes, menus and dialogs as the user saw them. Each is closed at
// once, after its while-open hook has run: a test can act while one is up,
// as a user can act on the rest of the desktop. A menu closes with the entry
// `choose` picks, or with none.
class RecordingShell : public Shell {
 public:
  struct Box {
    std::string text;
    std::string title;
    MsgBoxIcon icon;
    friend bool operator==(const Box&, const Box&) = default;
  };
  void MsgBox(const std::string& text, const std::string& title, MsgBoxIcon icon) override;
  const MenuEntry* PopupMenu(const MenuEntry& menu) override;
  const MenuEntry* PopupMenuAt(const MenuEntry& menu, int x, int y) override;
  void ShowModal(Dialog dialog) override;
  void CloseAll() override { ++closedAll; }
  void BringToFront(Dialog dialog) override { broughtToFront.push_back(dialog); }
  void KeepClockInReach(bool inReach) override { inReachCalls.push_back(inReach); }

  std::vector<Box> boxes;
  std::function<void(const Box&)> whileOpen;
  int closedAll = 0;

  std::vector<const MenuEntry*> menus;
  std::function<const MenuEntry*(const MenuEntry& menu)> choose;
  // Where the menus opened at a point of the face opened (also in `menus`).
  std::vector<std::pair<int, int>> menusAtFace;

  std::vector<Dialog> dialogs;
  std::function<void(Dialog)> whileDialogOpen;
  std::vector<Dialog> broughtToFront;
  std::vector<bool> inReachCalls;
};

class RecordingDiagnostics : public Diagnostics {
 public:
  void Report(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

class RecordingNotifier : public DesktopNotifier {
 public:
  struct Notice {
    std::string summary;
    std::string body;
    friend bool operator==(const Notice&, const Notice&) = default;
  };
  void Notify(const std::string& summary, const std::string& body) override {
    notices.push_back({summary, body});
  }
  std::vector<Notice> notices;

  // The standing notice: every one announced, with its action's label, and
  // whether the one announced last is still up.
  struct Announcement {
    std::string summary;
    std::string body;
    std::string action;
    friend bool operator==(const Announcement&, const Announcement&) = default;
  };
  void Announce(const std::string& summary, const std::string& body,
                const std::string& action) override {
    announced.push_back({summary, body, action});
    up = true;
  }
  void Withdraw() override {
    if (up) ++withdrawn;
    up = false;
  }
  void SetActionHandler(std::function<void()> handler) override { onAction = std::move(handler); }
  std::vector<Announcement> announced;
  bool up = false;
  int withdrawn = 0;  // notices taken down while up
  std::function<void()> onAction;
};

// A 1024 × 768 screen at 15 twips per pixel.
class FakeWindowSystem : public WindowSystem {
 public:
  float TwipsPerPixelX() override { return 15; }
  float TwipsPerPixelY() override { return 15; }
  float ScreenWidthTwips() override { return 1024 * 15; }
  float ScreenHeightTwips() override { return 768 * 15; }
  std::vector<ScreenArea> Screens() override { return screens; }
  void SetTopmost(bool topmost) override { topmostCalls.push_back(topmost); }
  bool PlacesWindow() override { return placesWindow; }
  void StartSystemMove() override { ++systemMoves; }
  void BringToFront() override { ++broughtToFront; }
  void SetMousePointer(MousePointer p, const Picture& custom) override {
    pointer = p;
    customPointer = custom;
  }
  std::vector<ScreenArea> screens{{0, 0, 1024 * 15, 768 * 15}};
  std::vector<bool> topmostCalls;
  bool placesWindow = true;
  int systemMoves = 0;
  int broughtToFront = 0;
  MousePointer pointer = MousePointer::Default;
  Picture customPointer;
};

}  // namespace vesperon
