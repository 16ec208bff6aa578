#include "platform/win32/platform_factory.h"

#include <cstdlib>
#include <string_view>

#include "platform/win32/beep_speaker.h"
#include "platform/win32/diagnostic_log.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/run_command_lines.h"
#include "platform/win32/session_end.h"
#include "platform/win32/skins_folders.h"
#include "platform/win32/tray_balloon_notifier.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_power_api.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_tray.h"

namespace vesperon {

std::unique_ptr<PowerApi> MakePowerApi(const PowerOffFailures& failures) {
  const char* dryRun = std::getenv("VESPERON_DRY_RUN");
  const bool dry = dryRun != nullptr && std::string_view(dryRun) == "1";
  return std::make_unique<Win32PowerApi>(
      dry ? DryRunPowerCalls(DiagnosticLog()) : SystemPowerCalls(), DiagnosticLog(),
      [&failures](const std::string& reason) { failures.Report(reason); });
}

// Windows hands the program its command line whole, and the argument text is
// read from it as it stands; the arguments split by the C runtime are not used.
std::unique_ptr<Environment> MakeEnvironment(std::vector<std::string> /*arguments*/) {
  return std::make_unique<Win32Environment>();
}

Platform MakePlatform(std::vector<std::string> arguments) {
  Platform platform;
  platform.environment = MakeEnvironment(std::move(arguments));
  platform.settings = std::make_unique<RegistrySettingsStore>();
  platform.powerOffFailures = std::make_unique<PowerOffFailures>();
  platform.power = MakePowerApi(*platform.powerOffFailures);
  platform.speaker = std::make_unique<BeepSpeaker>();
  platform.registry = std::make_unique<RunCommandLines>(std::make_unique<Win32Registry>());
  platform.termination = std::make_unique<SessionEnd>();
  auto tray = std::make_unique<Win32Tray>();
  platform.notifier = std::make_unique<TrayBalloonNotifier>(*tray);
  platform.tray = std::move(tray);
  platform.files = std::make_unique<Win32FileSystem>();
  platform.diagnostics = std::make_unique<DiagnosticLog>();
  platform.skinsFolders =
      SkinsFolders(platform.environment->ProgramFilePath(), UserVesperonFolder());
  return platform;
}

}  // namespace vesperon
