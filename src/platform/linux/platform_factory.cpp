#include "platform/linux/platform_factory.h"

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <string_view>

#include "platform/linux/dry_run_power_api.h"
#include "platform/linux/freedesktop_notifier.h"
#include "platform/linux/linux_environment.h"
#include "platform/linux/linux_tray.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/logind_power_api.h"
#include "platform/linux/pulse_speaker.h"
#include "platform/linux/qsettings_store.h"
#include "platform/linux/session_manager_end.h"
#include "platform/linux/skins_folders.h"
#include "platform/linux/standard_error.h"
#include "platform/linux/termination_signals.h"
#include "platform/linux/xdg_autostart_registry.h"
#include "ports/platform.h"

namespace vesperon {

std::unique_ptr<PowerApi> MakePowerApi(const PowerOffFailures& failures) {
  const char* dryRun = std::getenv("VESPERON_DRY_RUN");
  if (dryRun != nullptr && std::string_view(dryRun) == "1") {
    return std::make_unique<DryRunPowerApi>();
  }
  return std::make_unique<LogindPowerApi>(
      [&failures](const std::string& reason) { failures.Report(reason); },
      [&failures](bool waiting) { failures.ReportWaiting(waiting); });
}

std::unique_ptr<Environment> MakeEnvironment(std::vector<std::string> arguments) {
  QStringList argumentList;
  for (const std::string& argument : arguments)
    argumentList << QString::fromLocal8Bit(argument.data(),
                                           static_cast<qsizetype>(argument.size()));
  return std::make_unique<LinuxEnvironment>(argumentList);
}

Platform MakePlatform(std::vector<std::string> arguments) {
  Platform platform;
  platform.environment = MakeEnvironment(std::move(arguments));
  platform.settings = std::make_unique<QSettingsStore>();
  platform.powerOffFailures = std::make_unique<PowerOffFailures>();
  platform.power = MakePowerApi(*platform.powerOffFailures);
  platform.speaker = std::make_unique<PulseSpeaker>();
  platform.registry = std::make_unique<XdgAutostartRegistry>();
  platform.termination =
      std::make_unique<SessionManagerEnd>(std::make_unique<TerminationSignals>());
  platform.notifier = std::make_unique<FreedesktopNotifier>();
  platform.tray = std::make_unique<LinuxTray>(QDBusConnection::sessionBus());
  platform.files = std::make_unique<LinuxFileSystem>();
  platform.diagnostics = std::make_unique<StandardError>();
  platform.skinsFolders =
      SkinsFolders(platform.environment->ProgramFilePath(), VESPERON_INSTALLED_SKINS_DIR);
  return platform;
}

}  // namespace vesperon
