#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ports/desktop_notifier.h"
#include "ports/diagnostics.h"
#include "ports/environment.h"
#include "ports/file_system.h"
#include "ports/power_api.h"
#include "ports/registry.h"
#include "ports/settings_store.h"
#include "ports/speaker.h"
#include "ports/tray.h"

namespace vesperon {

// The system asking the program to end (the session ends, the terminal
// closes). The handler runs on the event loop, never inside a signal handler.
class TerminationRequests {
 public:
  virtual ~TerminationRequests() = default;
  virtual void SetHandler(std::function<void()> handler) = 0;
};

// Where the power-off adapter reports a request that went out and then
// failed (refused, or no one to ask), possibly long afterwards: logind
// answers once polkit has decided. Until it does, the adapter says the
// request is waiting, and says so again when the answer has come. The front
// end sets the handlers once the clock exists; they run on the event loop,
// never inside the request.
class PowerOffFailures {
 public:
  using Handler = std::function<void(const std::string& reason)>;
  using WaitingHandler = std::function<void(bool waiting)>;
  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  void SetWaitingHandler(WaitingHandler handler) { waitingHandler_ = std::move(handler); }
  void Report(const std::string& reason) const {
    if (handler_) handler_(reason);
  }
  void ReportWaiting(bool waiting) const {
    if (waitingHandler_) waitingHandler_(waiting);
  }

 private:
  Handler handler_;
  WaitingHandler waitingHandler_;
};

// The notification-area icon as the desktop offers it: the tray port, the
// clicks on the icon coming back as mouse messages (kTrayLeftButtonDown,
// kTrayRightButtonUp), and word when a notification area comes or goes.
// Both handlers run on the event loop, never inside the desktop's call. (On
// Windows the shell posts the clicks to the clock window itself.)
class SystemTray : public TrayPort {
 public:
  virtual void SetMouseMessageHandler(std::function<void(std::uint32_t mouseMessage)> handler) = 0;
  virtual void SetTrayChangeHandler(std::function<void()> handler) = 0;
};

// The adapters that the operating system provides, one per port, picked in
// one place for the system the program is built for
// (platform/<system>/platform_factory.cpp). The front end asks for them here
// and names no platform header.
struct Platform {
  std::unique_ptr<Environment> environment;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<PowerOffFailures> powerOffFailures;  // outlives power, which reports to it
  std::unique_ptr<PowerApi> power;
  std::unique_ptr<Speaker> speaker;
  std::unique_ptr<Registry> registry;
  std::unique_ptr<TerminationRequests> termination;
  std::unique_ptr<DesktopNotifier> notifier;
  std::unique_ptr<SystemTray> tray;
  std::unique_ptr<FileSystem> files;
  std::unique_ptr<Diagnostics> diagnostics;
  // Where skins are looked for, earlier folders first.
  std::vector<std::string> skinsFolders;
};

// arguments: the program's arguments without its own name, as it was given
// them. Call once the application object exists.
Platform MakePlatform(std::vector<std::string> arguments);

// The environment alone, for a start that only carries a command line to the
// clock that runs: needs no application object and no display.
std::unique_ptr<Environment> MakeEnvironment(std::vector<std::string> arguments);

}  // namespace vesperon
