#include "app/program.h"

#include "app/mod_main.h"

#include <string>
#include <utility>

namespace vesperon {

Program::Program(Platform& platform, FrontEndPorts frontEnd)
    : platform(platform),
      frontEnd(frontEnd),
      shell(frontEnd.shell),
      tray(*platform.tray),
      menu({frontEnd.pictures, frontEnd.windowSystem, shell}),
      nota(frontEnd.pictures),
      skins(*platform.files, platform.skinsFolders),
      skin({skins, frontEnd.pictures, shell, *platform.environment}),
      main({*platform.settings, frontEnd.clock, frontEnd.timers, frontEnd.pictures,
            frontEnd.windowSystem, *platform.power, *platform.speaker, *platform.registry,
            *platform.environment, tray, skin, menu, nota, *platform.notifier, shell,
            *platform.diagnostics}) {}

void Program::Connect(std::function<void()> sync) {
  sync_ = sync;
  platform.tray->SetMouseMessageHandler([this, sync](std::uint32_t message) {
    main.TrayIcon_MouseMessage(message);
    sync();
  });
  platform.tray->SetTrayChangeHandler([this, sync] {
    main.TrayHostChanged();
    sync();
  });
  platform.powerOffFailures->SetHandler([this, sync](const std::string& reason) {
    main.PowerOff_Failed(reason);
    sync();
  });
  platform.notifier->SetActionHandler([this, sync] {
    main.CountdownNotice_Cancel();
    sync();
  });
  platform.powerOffFailures->SetWaitingHandler([this, sync](bool waiting) {
    main.PowerOff_Waiting(waiting);
    sync();
  });
  platform.termination->SetHandler([this, sync = std::move(sync)] {
    main.End();
    sync();
  });
}

bool Program::Start() {
  if (!Main(*platform.environment, menu, main)) return false;
  platform.environment->AnswerLaterStarts([this](const std::string& request) {
    std::string answer = AnswerLaterStart(main, request);
    if (sync_) sync_();
    return answer;
  });
  return true;
}

ConfigPorts Program::ConfigDialogPorts() {
  return {*platform.settings, *platform.registry, *platform.environment, skins,
          frontEnd.pictures,  skin,               *platform.speaker,     shell};
}

}  // namespace vesperon
