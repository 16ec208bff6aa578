#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ports/environment.h"
#include "ports/file_system.h"
#include "ports/power_api.h"
#include "ports/registry.h"
#include "ports/settings_store.h"
#include "ports/speaker.h"

namespace vesperon {

// The system asking the program to end (the session ends, the terminal
// closes). The handler runs on the event loop, never inside a signal handler.
class TerminationRequests {
 public:
  virtual ~TerminationRequests() = default;
  virtual void SetHandler(std::function<void()> handler) = 0;
};

// The adapters that the operating system provides, one per port, picked in
// one place for the system the program is built for
// (platform/<system>/platform_factory.cpp). The front end asks for them here
// and names no platform header.
struct Platform {
  std::unique_ptr<Environment> environment;
  std::unique_ptr<SettingsStore> settings;
  std::unique_ptr<PowerApi> power;
  std::unique_ptr<Speaker> speaker;
  std::unique_ptr<Registry> registry;
  std::unique_ptr<TerminationRequests> termination;
  std::unique_ptr<FileSystem> files;
  // Where skins are looked for, earlier folders first.
  std::vector<std::string> skinsFolders;
};

// arguments: the program's arguments without its own name, as it was given
// them. Call once the application object exists.
Platform MakePlatform(std::vector<std::string> arguments);

}  // namespace vesperon
