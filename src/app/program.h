#pragma once

#include <functional>

#include "app/closing_shell.h"
#include "app/frm_main.h"
#include "config/frm_config.h"
#include "notes/frm_mostrar_nota.h"
#include "ports/platform.h"
#include "skin/mod_skin.h"
#include "skin/skin_library.h"
#include "tray/frm_menu.h"
#include "tray/mod_tray.h"

namespace vesperon {

// What a front end makes itself: the time and timers of its event loop,
// its picture reader, its windows and its dialogs.
struct FrontEndPorts {
  Clock& clock;
  TimerPort& timers;
  PictureLoader& pictures;
  WindowSystem& windowSystem;
  Shell& shell;
};

// The clock's forms and modules over the platform's adapters, made the same
// way by every front end, which then builds its views around them.
class Program {
 public:
  Program(Platform& platform, FrontEndPorts frontEnd);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Hands what the platform reports (a click on the tray icon, a
  // notification area coming or going, a power-off that waits or failed,
  // the countdown's notice cancelled, the system asking the program to end)
  // to the clock; `sync` brings the views in line after each.
  void Connect(std::function<void()> sync);

  // The start-up routine; then, for the copy that goes on running, the
  // answers to later starts. False when another copy runs (and was asked to
  // come forward): the program ends.
  bool Start();

  // What the configuration dialog works with.
  ConfigPorts ConfigDialogPorts();

  Platform& platform;
  FrontEndPorts frontEnd;
  // The front end's shell, as every form reaches it.
  ClosingShell shell;
  ModTray tray;
  FrmMenu menu;
  FrmMostrarNota nota;
  SkinLibrary skins;
  ModSkin skin;
  FrmMain main;

 private:
  std::function<void()> sync_;
};

}  // namespace vesperon
